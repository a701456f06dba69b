"""出現頻度分析: one dot per appearance of each number, coloured by where it was drawn."""

from grid import (Table, RED, BLUE, PALE_YELLOW, VERY_PALE_CYAN, MAIN_DOT, BONUS1_DOT, BONUS2_DOT)
from history import is_complete, MAIN_COLUMNS, BONUS1, BONUS2

WINDOW_NAME = "出現頻度分析"
CAPTION = "出現頻度分析"

TITLE = "  出 現 頻 度（回）"
DOT = "●"
HEADING_ROWS = 2


def nearest_column(value_times_3):
    # Column nearest to L / 3; L / 3 is never halfway between two columns.
    return (value_times_3 + 1) // 3


def build(history, summary):
    h = HEADING_ROWS
    m = max(summary.number_counts[1:38])
    last = m + 2
    t = Table(last, 39)

    t.format_block(2, last, 1, 1, bg=PALE_YELLOW)
    title_col = nearest_column(last)
    t.format_cell(title_col, 1, fg=RED)
    t.set_text(title_col, 1, TITLE)
    t.format_block(1, 1, 1, 39, fg=BLUE, bg=VERY_PALE_CYAN)
    t.format_block(last, last, 1, 39, fg=BLUE, bg=VERY_PALE_CYAN)
    t.format_block(2, last - 1, 2, 2, fg=RED, bg=PALE_YELLOW)
    for n in range(1, 38):
        t.set_text(1, n + h, n)
        t.set_text(last, n + h, n)

    running = {}
    for _draw, numbers in history:
        if not is_complete(numbers):
            continue
        # A number repeated within one draw (the store allows it) takes one dot per appearance, so every
        # bar keeps exactly as many dots as the number's count, without gaps.
        before = []
        seen = {}
        for v in numbers:
            before.append(running.get(v, 0) + seen.get(v, 0))
            seen[v] = seen.get(v, 0) + 1
        for i in range(9):
            t.set_text(before[i] + 2, 2, before[i] + 1)
        for i, colour in [(i, MAIN_DOT) for i in MAIN_COLUMNS] + [(BONUS1, BONUS1_DOT), (BONUS2, BONUS2_DOT)]:
            col, row = before[i] + 2, numbers[i] + h
            t.set_text(col, row, DOT)
            t.format_cell(col, row, fg=colour)
        for v in numbers:
            running[v] = running.get(v, 0) + 1

    t.set_text(1, 2, "数字")
    t.set_text(last, 2, "数字")
    return t
