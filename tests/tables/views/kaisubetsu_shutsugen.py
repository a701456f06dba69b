"""回数別出現分析: the numbers grouped by how often each appeared, one row per count that occurs."""

from grid import Table, BLUE, PALE_YELLOW, PALE_PINK

WINDOW_NAME = "回数別出現分析"
CAPTION = "回数別頻度分析"


def build(history, summary):
    t = Table(2, summary.group_row_count)

    # The whole number-of-times column below the heading is pale yellow (the block is meant to reach past
    # the last row; with numbers repeated inside a draw, latest draw number + 2 would fall short).
    t.format_block(1, 1, 2, max(summary.latest_draw_number + 2, summary.group_row_count), bg=PALE_YELLOW)

    t.set_text(1, 1, "出 現")
    t.set_text(2, 1, "数 字")
    t.format_block(1, 2, 1, 1, bg=PALE_PINK)
    t.format_block(2, 2, 2, summary.max_count + 2, fg=BLUE)

    j = 1
    for c in range(0, summary.max_count + 1):
        group = summary.count_groups[c] if c < len(summary.count_groups) else ""
        if group:
            j += 1
            t.set_text(1, j, "%d回" % c)
            t.set_text(2, j, group)
    return t
