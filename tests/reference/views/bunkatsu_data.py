"""The division data views, shared by bunkatsu6/7/9_data: one row per complete draw, its nine numbers
marked by kind in columns 2..38 and every group holding none of them greyed."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_YELLOW, PALE_PINK, MAIN_DOT, BONUS1_DOT, BONUS2_DOT, rgb
from history import is_complete

GREY = rgb(210, 210, 210)


def build(history, summary, groups, letters, title):
    """groups: the (lowest, highest) number of each group; letters and title: the header texts."""
    t = Table(39, summary.latest_draw_number + 3)
    t.format_block(1, 38, 1, 1, bg=PALE_PINK)
    t.set_text(18, 1, title)
    for col in (1, 39):
        t.format_block(col, col, 1, t.rows, fg=RED, bg=PALE_YELLOW)
    for (low, high), letter in zip(groups, letters):
        t.set_text(low + 1, 2, letter)
    for low, high in groups[1::2]:
        t.format_block(low + 1, high + 1, 2, t.rows, bg=PALE_CYAN)
    t.set_text(1, 3, "回")
    t.set_text(39, 3, "回")
    for n in range(1, 38):
        t.set_text(n + 1, 3, n)
    t.format_block(2, 38, 3, 3, fg=BLUE)
    complete = [(d, numbers) for d, numbers in history if is_complete(numbers)]
    for row, (d, numbers) in enumerate(complete, start=4):
        t.set_text(1, row, d)
        t.set_text(39, row, d)
        for low, high in groups:
            if not any(low <= n <= high for n in numbers):
                t.format_block(low + 1, high + 1, row, row, bg=GREY)
        for position, n in enumerate(numbers):
            t.set_text(n + 1, row, "●")
            t.format_cell(n + 1, row, fg=MAIN_DOT if position < 7 else BONUS1_DOT if position == 7 else BONUS2_DOT)
    return t
