"""分割4傾向分析: each complete draw's nine numbers coloured by decade group, with the count per group;
the header comes again on the last row."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_GREEN, PALE_YELLOW, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "分割4傾向分析"
CAPTION = "4分割傾向分析"
GROUP_COLOURS = [rgb(255, 255, 255), PALE_CYAN, PALE_GREEN, PALE_YELLOW]
HEADINGS = {1: "回数", 5: "本 数 字", 9: "ボ数1", 10: "ボ数2", 11: "01～09", 12: "10～19", 13: "20～29", 14: "30～37"}


def group(n):
    return 0 if 1 <= n <= 9 else 1 if 10 <= n <= 19 else 2 if 20 <= n <= 29 else 3


def build(history, summary):
    last = summary.latest_draw_number + 2
    t = Table(14, last)
    t.format_block(1, 1, 2, last, fg=RED, bg=PALE_YELLOW)
    t.format_block(9, 10, 2, last, bg=PALE_YELLOW)
    for col, colour in zip((12, 13, 14), GROUP_COLOURS[1:]):
        t.format_block(col, col, 2, last, bg=colour)
    for row in (1, last):
        t.format_block(1, 10, row, row, fg=rgb(0, 0, 0), bg=PALE_PINK)
        t.format_block(11, 14, row, row, fg=BLUE, bg=rgb(200, 200, 255))
        for col, text in HEADINGS.items():
            t.set_text(col, row, text)
    complete = [(d, numbers) for d, numbers in history if is_complete(numbers)]
    for row, (d, numbers) in enumerate(complete[:last - 2], start=2):
        counts = [sum(1 for n in numbers if group(n) == g) for g in range(4)]
        for col, value in enumerate([d] + numbers + counts, start=1):
            t.set_text(col, row, value)
        for col, n in enumerate(numbers, start=2):
            t.format_cell(col, row, bg=GROUP_COLOURS[group(n)])
    return t
