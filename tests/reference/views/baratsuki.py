"""バラツキ分析: a dot for every number of every complete draw, one row per draw, one column per number."""

from grid import Table, RED, BLUE, PALE_YELLOW, VERY_PALE_CYAN, MAIN_DOT, BONUS1_DOT, BONUS2_DOT
from history import is_complete

WINDOW_NAME = "バラツキ分析"
CAPTION = "バラツキ分析"
DOT_COLOURS = [MAIN_DOT] * 7 + [BONUS1_DOT, BONUS2_DOT]


def build(history, summary):
    last = summary.latest_draw_number + 3
    t = Table(39, last)
    t.set_text(19, 1, "数　　　　　　　字")
    t.format_block(19, 19, 1, 1, fg=BLUE)
    t.format_block(2, 38, 1, 1, bg=VERY_PALE_CYAN)
    for col in (1, 39):
        t.format_block(col, col, 1, last, fg=RED, bg=PALE_YELLOW)
    for row in (2, last):
        for col, text in [(1, "回"), (39, "回")] + [(n + 1, n) for n in range(1, 38)]:
            t.set_text(col, row, text)
        t.format_block(2, 38, row, row, fg=BLUE, bg=VERY_PALE_CYAN)
    row = 3
    for d, numbers in history:
        if is_complete(numbers):
            t.set_text(1, row, d)
            t.set_text(39, row, d)
            for n, colour in zip(numbers, DOT_COLOURS):
                t.set_text(n + 1, row, "●")
                t.format_cell(n + 1, row, fg=colour)
            row += 1
    return t
