"""出現回数分析: each complete draw, and beside each number how often it appeared in the draws before."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_GREEN, PALE_YELLOW
from history import is_complete

WINDOW_NAME = CAPTION = "出現回数分析"
HEADINGS = ["第%d数字" % k for k in range(1, 8)] + ["ボ数字1", "ボ数字2"]


def build(history, summary):
    last = summary.latest_draw_number + 2
    t = Table(19, last)
    t.format_block(1, 1, 1, last, fg=RED, bg=PALE_YELLOW)
    t.format_block(2, 10, 1, 2, fg=BLUE, bg=PALE_CYAN)
    t.format_block(11, 19, 1, 2, fg=RED, bg=PALE_GREEN)
    t.set_text(5, 1, "       当 選 数 字")
    t.set_text(15, 1, "前回までの出現回数合計(回)")
    for col, text in enumerate(["回数"] + HEADINGS + HEADINGS, start=1):
        t.set_text(col, 2, text)
    running = {}
    listed = [(d, numbers) for d, numbers in history if is_complete(numbers)]
    for row, (d, numbers) in enumerate(listed, start=3):
        t.set_text(1, row, d)
        for k, n in enumerate(numbers):
            t.set_text(2 + k, row, n)
            t.set_text(11 + k, row, running.get(n, 0))
        for n in numbers:
            running[n] = running.get(n, 0) + 1
    return t
