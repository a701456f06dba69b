#!/usr/bin/env python3
"""Hand-worked examples for the reference builders, so that a fault in them is not mistaken for one in
the program."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import histories  # noqa: E402
from grid import (Table, RED, BLUE, PALE_YELLOW, PALE_PINK, VERY_PALE_CYAN, MAIN_DOT, BONUS1_DOT,  # noqa: E402
                  BONUS2_DOT)
from history import Summary, parse_csv, to_csv, HEADER  # noqa: E402
from views import all_views  # noqa: E402

VIEWS = all_views()
FREQUENCY = VIEWS["出現頻度分析"]
BY_COUNT = VIEWS["回数別出現分析"]

DOT = "●"


def draw(n, main, b1, b2):
    assert len(main) == 7
    return (n, list(main) + [b1, b2])


def build(module, history):
    return module.build(history, Summary(history))


def schedule(needs):
    """Draws of nine distinct numbers giving number n exactly needs[n] appearances."""
    remaining = dict(needs)
    draws = []
    while any(remaining.values()):
        picked = sorted((n for n in remaining if remaining[n]), key=lambda n: (-remaining[n], n))[:9]
        assert len(picked) == 9, "needs cannot be met with nine distinct numbers per draw"
        for n in picked:
            remaining[n] -= 1
        draws.append(draw(len(draws) + 1, picked[:7], picked[7], picked[8]))
    return draws


class GridTest(unittest.TestCase):
    def test_writes_outside_the_extent_are_dropped(self):
        t = Table(2, 3)
        t.set_text(3, 1, "x")
        t.set_text(1, 4, "x")
        t.set_text(0, 1, "x")
        t.format_block(1, 1, 2, 10, bg=PALE_YELLOW)
        self.assertEqual(t.cells(), {(1, 2): ("", None, PALE_YELLOW), (1, 3): ("", None, PALE_YELLOW)})

    def test_reversed_block_selects_nothing_and_minus_one_selects_all(self):
        t = Table(3, 2)
        t.format_block(2, 1, 1, 2, fg=RED)
        self.assertEqual(t.cells(), {})
        t.format_block(-1, -1, 2, 2, fg=RED)
        self.assertEqual(sorted(t.cells()), [(1, 2), (2, 2), (3, 2)])

    def test_later_format_overrides_only_the_colours_it_sets(self):
        t = Table(1, 1)
        t.format_cell(1, 1, fg=RED, bg=PALE_YELLOW)
        t.format_cell(1, 1, fg=BLUE)
        self.assertEqual(t.cell(1, 1), ("", BLUE, PALE_YELLOW))


class SummaryTest(unittest.TestCase):
    def test_empty_history(self):
        s = Summary([])
        self.assertEqual((s.latest_draw_number, s.max_count, s.group_row_count), (0, 0, 0))
        self.assertEqual(s.number_counts, [0] * 38)

    def test_only_incomplete_records_group_every_number_under_zero(self):
        s = Summary([(1, [1, 2, 3, 4, 5, 6, 7, 8, None])])
        self.assertEqual((s.latest_draw_number, s.max_count, s.group_row_count), (0, 0, 2))
        self.assertEqual(s.count_groups, [",".join(str(n) for n in range(1, 38))])

    def test_bonus_counts_like_main_and_incomplete_last_row_is_ignored(self):
        h = [draw(1, [5, 1, 2, 3, 4, 6, 7], 8, 9),
             draw(2, [10, 11, 12, 13, 14, 15, 5], 16, 17),
             draw(3, [20, 21, 22, 23, 24, 25, 26], 5, 27),
             (4, [5, 1, 2, 3, 4, 6, 7, 8, None])]
        s = Summary(h)
        self.assertEqual(s.number_counts[5], 3)
        self.assertEqual(s.latest_draw_number, 3)
        self.assertEqual(s.max_count, 3)
        self.assertEqual(s.count_groups[3], "5")
        self.assertEqual(s.count_groups[2], "")
        self.assertEqual(s.count_groups[0], "18,19,28,29,30,31,32,33,34,35,36,37")
        # counts 0, 1 and 3 occur
        self.assertEqual(s.group_row_count, 4)

    def test_no_number_with_count_zero_leaves_entry_zero_empty(self):
        h = schedule({n: 2 if n <= 26 else 1 for n in range(1, 38)})
        s = Summary(h)
        self.assertEqual(s.count_groups[0], "")
        self.assertEqual(s.group_row_count, 3)

    def test_csv_round_trip_keeps_empty_fields(self):
        h = [(1, [1, 2, 3, 4, 5, 6, 7, 8, 9]), (3, [None, 2, 3, 4, 5, 6, 7, 8, None])]
        text = to_csv(h)
        self.assertTrue(text.startswith(",".join(HEADER) + "\n"))
        self.assertIn("3,,2,3,4,5,6,7,8,\n", text)
        self.assertEqual(parse_csv(text), h)


class FrequencyTest(unittest.TestCase):
    def test_empty_history_has_two_number_columns_and_the_title_in_column_1(self):
        t = build(FREQUENCY, [])
        self.assertEqual((t.columns, t.rows), (2, 39))
        self.assertEqual(t.cell(1, 1), ("  出 現 頻 度（回）", BLUE, VERY_PALE_CYAN))
        self.assertEqual(t.cell(2, 1), ("", BLUE, VERY_PALE_CYAN))
        self.assertEqual(t.cell(1, 2), ("数字", BLUE, VERY_PALE_CYAN))
        self.assertEqual(t.cell(2, 2), ("数字", BLUE, VERY_PALE_CYAN))
        for n in range(1, 38):
            self.assertEqual(t.cell(1, n + 2), (str(n), BLUE, VERY_PALE_CYAN))
            self.assertEqual(t.cell(2, n + 2), (str(n), BLUE, VERY_PALE_CYAN))
        self.assertEqual(len(t.cells()), 2 * 39)

    def test_incomplete_records_draw_nothing(self):
        t = build(FREQUENCY, [(1, [1, 2, 3, 4, 5, 6, 7, 8, None]), (2, [None] * 9)])
        self.assertEqual(t.columns, 2)
        self.assertFalse([k for k, v in t.cells().items() if v[0] == DOT])

    def test_bonus_first_then_main_gives_pink_then_blue_dot(self):
        h = [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9),
             draw(2, [8, 10, 11, 12, 13, 14, 15], 16, 9),
             (3, [8, 9, 1, 2, 3, 4, 5, 6, None])]
        t = build(FREQUENCY, h)
        self.assertEqual(t.columns, 4)
        self.assertEqual(t.cell(2, 10), (DOT, BONUS1_DOT, None))
        self.assertEqual(t.cell(3, 10), (DOT, MAIN_DOT, None))
        self.assertEqual(t.cell(2, 11), (DOT, BONUS2_DOT, None))
        self.assertEqual(t.cell(3, 11), (DOT, BONUS2_DOT, None))
        self.assertEqual(t.cell(2, 3), (DOT, MAIN_DOT, None))
        self.assertEqual(t.cell(3, 3), ("", None, None))
        # never drawn: empty between its labels
        self.assertEqual([t.cell(c, 37 + 2)[0] for c in range(1, 5)], ["37", "", "", "37"])
        # ordinal labels, red on pale yellow, and L = 4 puts the title in column 1
        self.assertEqual(t.cell(2, 2), ("1", RED, PALE_YELLOW))
        self.assertEqual(t.cell(3, 2), ("2", RED, PALE_YELLOW))
        self.assertEqual(t.cell(1, 1)[0], "  出 現 頻 度（回）")
        self.assertEqual(t.cell(3, 1), ("", None, PALE_YELLOW))
        self.assertEqual(t.cell(4, 1), ("", BLUE, VERY_PALE_CYAN))

    def test_title_goes_to_the_column_nearest_a_third_of_the_last(self):
        for last, col in [(2, 1), (3, 1), (4, 1), (5, 2), (6, 2), (7, 2), (8, 3), (9, 3), (10, 3), (11, 4)]:
            m = last - 2
            h = [draw(i, [1, 2, 3, 4, 5, 6, 7], 8, 9) for i in range(1, m + 1)]
            t = build(FREQUENCY, h)
            self.assertEqual(t.columns, last)
            titled = [c for c in range(1, last + 1) if t.cell(c, 1)[0]]
            self.assertEqual(titled, [col], "L = %d" % last)
            if col > 1:
                self.assertEqual(t.cell(col, 1)[1:], (RED, PALE_YELLOW))

    def test_bars_match_counts_and_the_largest_reaches_the_last_dot_column(self):
        name, seed, h = [c for c in histories.cases() if c[0] == "hundred"][0]
        s = Summary(h)
        t = FREQUENCY.build(h, s)
        self.assertEqual(t.columns, s.max_count + 2)
        for n in range(1, 38):
            dots = [c for c in range(2, t.columns) if t.cell(c, n + 2)[0] == DOT]
            self.assertEqual(dots, list(range(2, s.number_counts[n] + 2)), "number %d" % n)
        self.assertEqual([t.cell(c, 2)[0] for c in range(2, t.columns)],
                         [str(j) for j in range(1, s.max_count + 1)])

    def test_dot_colours_follow_the_column_the_number_came_from(self):
        name, seed, h = [c for c in histories.cases() if c[0] == "ten"][0]
        t = build(FREQUENCY, h)
        seen = {}
        for _d, numbers in h:
            for i, v in enumerate(numbers):
                seen[v] = seen.get(v, 0) + 1
                colour = MAIN_DOT if i < 7 else BONUS1_DOT if i == 7 else BONUS2_DOT
                self.assertEqual(t.cell(seen[v] + 1, v + 2), (DOT, colour, None))

    def test_number_repeated_in_one_draw_gets_a_dot_per_appearance(self):
        t = build(FREQUENCY, [(1, [5] * 9), draw(2, [5, 1, 2, 3, 4, 6, 7], 8, 9)])
        self.assertEqual(t.columns, 12)
        self.assertEqual([t.cell(c, 7)[1] for c in range(2, 9)], [MAIN_DOT] * 7)
        self.assertEqual(t.cell(9, 7), (DOT, BONUS1_DOT, None))
        self.assertEqual(t.cell(10, 7), (DOT, BONUS2_DOT, None))
        self.assertEqual(t.cell(11, 7), (DOT, MAIN_DOT, None))
        self.assertEqual([t.cell(c, 2)[0] for c in range(2, 12)], [str(k) for k in range(1, 11)])


class ByCountTest(unittest.TestCase):
    def test_empty_history_sets_up_no_rows(self):
        t = build(BY_COUNT, [])
        self.assertEqual((t.columns, t.rows), (2, 0))
        self.assertEqual(t.cells(), {})

    def test_only_incomplete_records_list_every_number_under_zero(self):
        t = build(BY_COUNT, [(1, [None] * 9)])
        self.assertEqual(t.rows, 2)
        self.assertEqual(t.cell(1, 1), ("出 現", None, PALE_PINK))
        self.assertEqual(t.cell(2, 1), ("数 字", None, PALE_PINK))
        self.assertEqual(t.cell(1, 2), ("0回", None, PALE_YELLOW))
        self.assertEqual(t.cell(2, 2), (",".join(str(n) for n in range(1, 38)), BLUE, None))

    def test_groups_in_ascending_count_skipping_counts_no_number_has(self):
        h = [draw(1, [5, 1, 2, 3, 6, 7, 8], 9, 10),
             draw(2, [5, 1, 2, 11, 12, 13, 14], 15, 16),
             draw(3, [5, 1, 2, 17, 18, 19, 20], 21, 22),
             draw(4, [5, 23, 24, 25, 26, 27, 28], 29, 31)]
        t = build(BY_COUNT, h)
        self.assertEqual((t.columns, t.rows), (2, 5))
        self.assertEqual(t.cell(1, 2), ("0回", None, PALE_YELLOW))
        self.assertEqual(t.cell(2, 2), ("4,30,32,33,34,35,36,37", BLUE, None))
        self.assertEqual(t.cell(1, 3)[0], "1回")
        self.assertEqual(t.cell(2, 3)[0], "3,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,31")
        self.assertEqual(t.cell(1, 4)[0], "3回")
        self.assertEqual(t.cell(2, 4), ("1,2", BLUE, None))
        self.assertEqual(t.cell(1, 5), ("4回", None, PALE_YELLOW))
        self.assertEqual(t.cell(2, 5), ("5", BLUE, None))

    def test_every_count_different_gives_38_rows(self):
        h = schedule({n: n - 1 for n in range(1, 38)})
        s = Summary(h)
        t = BY_COUNT.build(h, s)
        self.assertEqual(t.rows, 38)
        self.assertEqual(s.max_count, 36)
        for j in range(2, 39):
            self.assertEqual(t.cell(1, j), ("%d回" % (j - 2), None, PALE_YELLOW))
            self.assertEqual(t.cell(2, j), (str(j - 1), BLUE, None))

    def test_twelve_prints_its_digits_before_the_suffix(self):
        h = schedule({n: 12 if n <= 9 else 0 for n in range(1, 38)})
        t = build(BY_COUNT, h)
        self.assertEqual(t.rows, 3)
        self.assertEqual(t.cell(1, 3), ("12回", None, PALE_YELLOW))
        self.assertEqual(t.cell(2, 3)[0], "1,2,3,4,5,6,7,8,9")

    def test_background_block_covers_every_row_even_with_repeated_numbers(self):
        # One draw with repeated numbers has more groups than LatestDrawNumber + 2 rows.
        t = build(BY_COUNT, [(1, [1, 1, 1, 1, 1, 1, 2, 2, 3])])
        self.assertEqual(t.rows, 5)
        self.assertEqual(t.cell(1, 3), ("1回", None, PALE_YELLOW))
        self.assertEqual(t.cell(1, 4), ("2回", None, PALE_YELLOW))
        self.assertEqual(t.cell(1, 5), ("6回", None, PALE_YELLOW))
        self.assertEqual(t.cell(2, 5), ("1", BLUE, None))


if __name__ == "__main__":
    unittest.main()
