"""連番飛び石分析: each complete draw twice, neighbouring main numbers one apart marked on the left and two
apart on the right."""

from grid import Table, RED, PALE_CYAN, PALE_GREEN, PALE_YELLOW, PALE_MAGENTA, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "連番飛び石分析"
CAPTION = "連番・飛び石分析"
LIGHT_GREY = rgb(225, 225, 225)
# (draw-number column, difference of a pair, title, title background, pair background)
HALVES = [(1, 1, "　連番(本数字)", PALE_MAGENTA, PALE_CYAN), (9, 2, "　飛び石(本数字)", PALE_PINK, PALE_GREEN)]


def build(history, summary):
    t = Table(16, summary.latest_draw_number + 1)
    for base, _, title, title_bg, _ in HALVES:
        t.format_block(base, base, 1, t.rows, fg=RED, bg=PALE_YELLOW)
        t.format_block(base + 1, base + 7, 1, 1, bg=title_bg)
        t.set_text(base, 1, "回数")
        t.set_text(base + 3, 1, title)
    row = 2
    for d, numbers in history:
        if not is_complete(numbers):
            continue
        for base, diff, _, _, pair_bg in HALVES:
            t.set_text(base, row, d)
            for k in range(7):
                t.set_text(base + 1 + k, row, numbers[k])
            pairs = [k for k in range(6) if numbers[k] + diff == numbers[k + 1]]
            for k in pairs:
                t.format_block(base + 1 + k, base + 2 + k, row, row, bg=pair_bg)
            if not pairs:
                t.format_cell(base, row, bg=LIGHT_GREY)
        row += 1
    return t
