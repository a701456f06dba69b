"""出現頻度分析: one dot per appearance of each number, coloured by where it was drawn."""

from grid import Table, RED, BLUE, PALE_YELLOW, VERY_PALE_CYAN, MAIN_DOT, BONUS1_DOT, BONUS2_DOT
from history import is_complete

WINDOW_NAME = "出現頻度分析"
CAPTION = "出現頻度分析"
TITLE = "  出 現 頻 度（回）"
DOT = "●"
DOT_COLOURS = [MAIN_DOT] * 7 + [BONUS1_DOT, BONUS2_DOT]


def build(history, summary):
    last = max(summary.number_counts[1:38]) + 2
    t = Table(last, 39)
    t.format_block(2, last, 1, 1, bg=PALE_YELLOW)
    title_col = (last + 1) // 3  # the column nearest to L / 3, which is never halfway
    t.format_cell(title_col, 1, fg=RED)
    t.set_text(title_col, 1, TITLE)
    t.format_block(1, 1, 1, 39, fg=BLUE, bg=VERY_PALE_CYAN)
    t.format_block(last, last, 1, 39, fg=BLUE, bg=VERY_PALE_CYAN)
    t.format_block(2, last - 1, 2, 2, fg=RED, bg=PALE_YELLOW)
    for n in range(1, 38):
        t.set_text(1, n + 2, n)
        t.set_text(last, n + 2, n)

    running = {}
    for _d, numbers in history:
        if not is_complete(numbers):
            continue
        # A number repeated within one draw (the store allows it) takes one dot per appearance, so every
        # bar keeps exactly as many dots as the number's count, without gaps.
        before = []
        for n in numbers:
            before.append(running.get(n, 0))
            running[n] = running.get(n, 0) + 1
        for i, n in enumerate(numbers):
            t.set_text(before[i] + 2, 2, before[i] + 1)
            t.set_text(before[i] + 2, n + 2, DOT)
            t.format_cell(before[i] + 2, n + 2, fg=DOT_COLOURS[i])

    t.set_text(1, 2, "数字")
    t.set_text(last, 2, "数字")
    return t
