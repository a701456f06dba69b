"""下一桁出現傾向分析: per complete draw, each last digit repeated once per number ending in it."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_GREEN, PALE_PINK, PALE_YELLOW, rgb
from history import is_complete

WINDOW_NAME = CAPTION = "下一桁出現傾向分析"
TITLE = " " * 43 + "下一桁数字" + " " * 27 + "\u3000" * 3 + " " * 18
WHITE = rgb(255, 255, 255)


def frame(n):
    """The grid shared with 下一桁連続出現回数分析: N + 4 rows, headings at the top and mirrored at the bottom."""
    t = Table(11, n + 4)
    t.format_block(1, 1, 1, n + 4, fg=RED, bg=PALE_YELLOW)
    for title_row, digit_row in ((1, 2), (n + 4, n + 3)):
        t.format_block(2, 11, min(title_row, digit_row), max(title_row, digit_row), fg=BLUE, bg=PALE_PINK)
        t.set_text(1, title_row, "回数")
        t.set_text(2, title_row, TITLE)
        for d in range(10):
            t.set_text(d + 2, digit_row, d)
    return t


def build(history, summary):
    n = summary.latest_draw_number
    t = frame(n)
    colour = {0: WHITE, 1: WHITE, 2: PALE_CYAN, 3: PALE_GREEN}
    r = 3
    for d, numbers in history:
        if not is_complete(numbers):
            continue
        texts = [""] * 10
        for x in numbers:
            texts[x % 10] += str(x % 10)
        t.set_text(1, r, d)
        for digit, text in enumerate(texts):
            t.set_text(digit + 2, r, text)
            t.format_cell(digit + 2, r, bg=colour.get(len(text), PALE_PINK))
        r += 1
    return t
