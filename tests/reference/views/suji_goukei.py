"""数字合計分析: each complete draw with the sum of its main numbers and the sum of all nine numbers."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_YELLOW, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "数字合計分析"
CAPTION = "数字合計分析"
HEADINGS = ["回数", " " * 23 + "　本 数 字" + " " * 30] + [""] * 6 + ["本数字合計", "ボ数字1", "ボ数字2", "本数字+ボ数字"]


def build(history, summary):
    t = Table(12, summary.latest_draw_number + 1)
    t.format_block(1, 1, 2, t.rows, fg=RED, bg=PALE_YELLOW)
    for col in (9, 12):
        t.format_block(col, col, 2, t.rows, fg=BLUE, bg=PALE_CYAN)
    t.format_block(1, 12, 1, 1, fg=rgb(0, 0, 0), bg=PALE_PINK)
    complete = [[d] + numbers[:7] + [sum(numbers[:7])] + numbers[7:] + [sum(numbers)]
                for d, numbers in history if is_complete(numbers)]
    for row, values in enumerate([HEADINGS] + complete, start=1):
        for col, value in enumerate(values, start=1):
            t.set_text(col, row, value)
    return t
