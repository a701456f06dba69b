"""数字合計分析: each complete draw with the sum of its main numbers and the sum of all nine numbers."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_YELLOW, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "数字合計分析"
CAPTION = "数字合計分析"
BLACK = rgb(0, 0, 0)
TITLE = " " * 23 + "　本 数 字" + " " * 30
HEADINGS = {1: "回数", 2: TITLE, 9: "本数字合計", 10: "ボ数字1", 11: "ボ数字2", 12: "本数字+ボ数字"}


def build(history, summary):
    t = Table(12, summary.latest_draw_number + 1)
    t.format_block(1, 1, 2, t.rows, fg=RED, bg=PALE_YELLOW)
    for col in (9, 12):
        t.format_block(col, col, 2, t.rows, fg=BLUE, bg=PALE_CYAN)
    t.format_block(1, 12, 1, 1, fg=BLACK, bg=PALE_PINK)
    for col, text in HEADINGS.items():
        t.set_text(col, 1, text)
    row = 2
    for d, numbers in history:
        if not is_complete(numbers):
            continue
        main_sum = sum(numbers[:7])
        for col, value in enumerate([d] + numbers[:7] + [main_sum] + numbers[7:] + [sum(numbers)], start=1):
            t.set_text(col, row, value)
        row += 1
    return t
