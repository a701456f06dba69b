"""数字間隔分析: each stored draw, and beside each number its change from the same position of the draw
listed before it."""

from grid import Table, rgb, RED, PALE_CYAN, PALE_YELLOW, PALE_PINK, PALE_MAGENTA
from history import is_complete

WINDOW_NAME = CAPTION = "数字間隔分析"
HEADINGS = ["第%d数字" % k for k in range(1, 8)] + ["ボ数字1", "ボ数字2"]
LABELS = ["回数"] + [text for heading in HEADINGS for text in (heading, "差分")]


def build(history, summary):
    n = summary.latest_draw_number
    t = Table(19, n + 4)
    for col in range(2, 15, 2):
        t.format_block(col, col, 3, n + 4, bg=PALE_CYAN)
    t.format_block(1, 1, 1, n + 4, fg=RED, bg=PALE_YELLOW)
    for first, footer in ((1, False), (n + 3, True)):
        title_row, label_row = (first + 1, first) if footer else (first, first + 1)
        t.format_block(2, 19, first, first + 1, fg=rgb(0, 0, 0), bg=PALE_PINK)
        t.set_text(8, title_row, "本 数 字")
        t.set_text(16, title_row, "　　　ボーナス数字")
        for col, text in enumerate(LABELS, start=1):
            t.set_text(col, label_row, text)
    previous = None  # the first draw written has no changes, even after incomplete draws (the owner's choice)
    for row, (d, numbers) in enumerate(history, start=3):
        if not is_complete(numbers):
            continue
        t.set_text(1, row, d)
        for k, v in enumerate(numbers):
            t.set_text(2 + 2 * k, row, v)
            change = None if previous is None else v - previous[k]
            if change is not None:
                t.set_text(3 + 2 * k, row, "+%d" % change if change > 0 else change)
                t.format_cell(3 + 2 * k, row, bg=PALE_MAGENTA if change < 0 else None)
        previous = numbers
    return t
