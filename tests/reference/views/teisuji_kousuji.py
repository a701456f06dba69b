"""低数字高数字の組合せパターン分析: each complete draw, its low (1..18) and high main numbers counted, and
the pattern letter A..H by the low count. The even/odd view reuses the table with its own split."""

from grid import Table, RED, BLUE, PALE_CYAN, PALE_GREEN, PALE_YELLOW, PALE_MAGENTA, PALE_PINK, rgb
from history import is_complete

WINDOW_NAME = "低数字高数字の組合せパターン分析"
CAPTION = "低数字・高数字の組合せパターン分析"
WHITE = rgb(255, 255, 255)
PATTERN_BACKGROUNDS = [None, PALE_CYAN, PALE_GREEN, PALE_YELLOW, WHITE, PALE_MAGENTA, PALE_PINK, RED]


def pattern_table(history, summary, headings, counted, other_bg, letter_by_other):
    t = Table(13, summary.latest_draw_number + 1)
    for cols, fg, bg in (((1, 1), RED, PALE_YELLOW), ((9, 10), None, PALE_YELLOW), ((11, 11), BLUE, PALE_CYAN),
                         ((12, 12), BLUE, WHITE)):
        t.format_block(*cols, 2, t.rows, fg=fg, bg=bg)
    t.format_block(1, 13, 1, 1, fg=BLUE, bg=PALE_PINK)
    for col, text in zip((1, 5, 9, 10, 11, 12, 13), ("回数", "本 数 字", "ボ数1", "ボ数2") + headings + ("パターン",)):
        t.set_text(col, 1, text)
    complete = [(d, numbers) for d, numbers in history if is_complete(numbers)]
    for row, (d, numbers) in enumerate(complete, start=2):
        hits = [counted(n) for n in numbers[:7]]
        for col, value in enumerate([d] + numbers + [sum(hits), 7 - sum(hits)], start=1):
            t.set_text(col, row, value)
        for col, hit in enumerate(hits, start=2):
            t.format_cell(col, row, bg=PALE_CYAN if hit else other_bg)
        letter = 7 - sum(hits) if letter_by_other else sum(hits)
        t.set_text(13, row, "ABCDEFGH"[letter])
        t.format_cell(13, row, bg=PATTERN_BACKGROUNDS[letter])
    return t


def build(history, summary):
    return pattern_table(history, summary, ("低数字", "高数字"), lambda n: n <= 18, None, False)
