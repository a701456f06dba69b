"""下一桁連続出現回数分析: per last digit, the repeat count reached in each draw continuing a streak."""

from grid import PALE_CYAN, PALE_GREEN, PALE_YELLOW, PALE_MAGENTA, PALE_PINK
from history import is_complete
from views.shimohitoketa_keikou import frame

WINDOW_NAME = CAPTION = "下一桁連続出現回数分析"


def build(history, summary):
    n = summary.latest_draw_number
    lists = [""] * 10
    for d, numbers in history:
        if is_complete(numbers):
            for x in numbers:
                lists[x % 10] += "%05d " % d
    t = frame(n)
    for k in range(1, n + 1):
        t.set_text(1, k + 2, k)
    colours = [PALE_CYAN] * 3 + [PALE_GREEN] * 3 + [PALE_YELLOW] * 3 + [PALE_MAGENTA] * 3
    for digit, entries in enumerate(lists):
        entry = lambda i: entries[(i - 1) * 6:(i - 1) * 6 + 5]
        c, i = 0, 1
        while entry(i + 1):
            prev, cur = int(entry(i)), int(entry(i + 1))
            if prev + 1 < cur:
                c = 0
            else:
                c += 1
                t.set_text(digit + 2, cur + 2, c)
                t.format_cell(digit + 2, cur + 2, bg=colours[c - 1] if c <= 12 else PALE_PINK)
            i += 1
    return t
