"""引っ張り分析: each complete draw on a row, its numbers that the previous complete draw had marked."""

from grid import Table, RED, PALE_YELLOW, PALE_PINK, PALE_CYAN
from history import is_complete

WINDOW_NAME = "引っ張り分析"
CAPTION = "引っ張り分析"
BLACK = "#000000"


def build(history, summary):
    t = Table(10, summary.latest_draw_number + 1)
    t.format_block(1, 1, 1, t.rows, fg=RED, bg=PALE_YELLOW)
    t.format_block(1, 10, 1, 1, fg=BLACK, bg=PALE_PINK)
    for col, text in [(1, "回数"), (5, " 本 数 字"), (9, "ボーナス数字1"), (10, "ボーナス数字2")]:
        t.set_text(col, 1, text)
    previous = [0] * 10
    row = 2
    for d, numbers in history:
        if not is_complete(numbers):
            continue
        t.set_text(1, row, d)
        for col, n in enumerate(numbers, start=2):
            t.set_text(col, row, n)
            if n in previous[1:]:
                t.format_cell(col, row, bg=PALE_CYAN)
        previous[1:] = numbers
        row += 1
    return t
