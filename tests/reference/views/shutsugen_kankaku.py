"""出現間隔分析: each stored draw, and beside each number how many draws earlier it was last drawn."""

from grid import Table, rgb, RED, PALE_CYAN, PALE_YELLOW, PALE_PINK
from history import is_complete

WINDOW_NAME = CAPTION = "出現間隔分析"
HEADINGS = ["第%d数字" % k for k in range(1, 8)] + ["ボ数字1", "ボ数字2"]
LABELS = ["回数"] + [text for heading in HEADINGS for text in (heading, "出現")]


def build(history, summary):
    n = summary.latest_draw_number
    t = Table(19, n + 4)
    t.format_block(1, 1, 1, n + 4, fg=RED, bg=PALE_YELLOW)
    for col in range(2, 15, 2):
        t.format_block(col, col, 3, n + 2, bg=PALE_CYAN)
    for title_row, label_row in ((1, 2), (n + 4, n + 3)):
        t.format_block(2, 19, min(title_row, label_row), max(title_row, label_row), fg=rgb(0, 0, 0), bg=PALE_PINK)
        t.set_text(2, title_row, "本 数 字")
        t.set_text(16, title_row, "　　　ボーナス数字")
        for col, text in enumerate(LABELS, start=1):
            t.set_text(col, label_row, text)
    earlier = []  # (draw number, numbers) of the complete draws already listed, in draw order
    for row, (d, numbers) in enumerate(history, start=3):
        if not is_complete(numbers):
            continue
        t.set_text(1, row, d)
        earlier.append((d, numbers))
        for k, v in enumerate(numbers):
            found = next((i for i, held in reversed(earlier) if i < d and v in held), None)
            t.set_text(2 + 2 * k, row, v)
            t.set_text(3 + 2 * k, row, "初回" if found is None else "%d回前" % (d - found))
    return t
