"""連番飛び石分析: each complete draw twice; neighbouring main numbers 1 apart marked left, 2 apart right."""

from grid import Table, RED, PALE_CYAN, PALE_GREEN, PALE_YELLOW, PALE_MAGENTA, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "連番飛び石分析"
CAPTION = "連番・飛び石分析"
# (draw-number column, difference of a pair, title, title background, pair background)
HALVES = [(1, 1, "　連番(本数字)", PALE_MAGENTA, PALE_CYAN), (9, 2, "　飛び石(本数字)", PALE_PINK, PALE_GREEN)]


def build(history, summary):
    t = Table(16, summary.latest_draw_number + 1)
    complete = [(d, numbers) for d, numbers in history if is_complete(numbers)]
    for base, diff, title, title_bg, pair_bg in HALVES:
        t.format_block(base, base, 1, t.rows, fg=RED, bg=PALE_YELLOW)
        t.format_block(base + 1, base + 7, 1, 1, bg=title_bg)
        t.set_text(base, 1, "回数")
        t.set_text(base + 3, 1, title)
        for row, (d, numbers) in enumerate(complete, start=2):
            for col, value in enumerate([d] + numbers[:7], start=base):
                t.set_text(col, row, value)
            pairs = [k for k in range(6) if numbers[k] + diff == numbers[k + 1]]
            for k in pairs:
                t.format_block(base + 1 + k, base + 2 + k, row, row, bg=pair_bg)
            if not pairs:
                t.format_cell(base, row, bg=rgb(225, 225, 225))
    return t
