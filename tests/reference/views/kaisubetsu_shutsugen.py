"""回数別出現分析: the numbers grouped by how often each appeared, one row per count that occurs."""

from grid import Table, BLUE, PALE_YELLOW, PALE_PINK

WINDOW_NAME = "回数別出現分析"
CAPTION = "回数別頻度分析"


def build(history, summary):
    t = Table(2, summary.group_row_count)
    # The count column is pale yellow below the heading; the block is meant to reach past the last row
    # (with numbers repeated inside a draw, latest draw number + 2 would fall short).
    t.format_block(1, 1, 2, max(summary.latest_draw_number + 2, summary.group_row_count), bg=PALE_YELLOW)
    t.set_text(1, 1, "出 現")
    t.set_text(2, 1, "数 字")
    t.format_block(1, 2, 1, 1, bg=PALE_PINK)
    t.format_block(2, 2, 2, summary.max_count + 2, fg=BLUE)
    row = 1
    for c, group in enumerate(summary.count_groups):
        if group:
            row += 1
            t.set_text(1, row, "%d回" % c)
            t.set_text(2, row, group)
    return t
