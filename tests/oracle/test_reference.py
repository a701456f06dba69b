"""Checks the reference model itself on hand-worked cases, so that a fault in it is not mistaken
for a fault in the program (or, worse, shared with it)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import reference as ref  # noqa: E402


def draw(main, bonus=(36, 37)):
    return list(main) + list(bonus)


class ShiftTest(unittest.TestCase):
    def test_all_off_is_zero(self):
        self.assertEqual(ref.compute_shift({}), 0)
        self.assertEqual(ref.compute_shift({k: False for k in ref.OPTION_KEYS}), 0)

    def test_all_on_is_92(self):
        self.assertEqual(ref.compute_shift({k: True for k in ref.OPTION_KEYS}), 92)

    def test_interval_alone_is_15(self):
        self.assertEqual(ref.compute_shift({"間隔分析Opt": True}), 15)

    def test_each_weight(self):
        expected = [1, 15, 6, 9, 10, 4, 8, 2, 11, 7, 16, 3]
        got = [ref.compute_shift({k: True}) for k in ref.OPTION_KEYS]
        self.assertEqual(got, expected)


class WrapTest(unittest.TestCase):
    def test_wraps(self):
        self.assertEqual(ref.wrap_number(59), 22)
        self.assertEqual(ref.wrap_number(0 + 1), 1)
        self.assertEqual(ref.wrap_number(38), 1)
        self.assertEqual(ref.wrap_number(37), 37)
        self.assertEqual(ref.wrap_number(0), 37)


class SummaryTest(unittest.TestCase):
    def test_empty_history(self):
        s = ref.startup_summary([])
        self.assertEqual(s["latestDrawNumber"], 0)
        self.assertEqual(s["maxCount"], 0)
        self.assertEqual(s["groupRowCount"], 0)
        self.assertEqual(s["numberCounts"], [0] * 38)
        self.assertEqual(s["countGroups"], [""])

    def test_bonus_counts_like_main_and_incomplete_latest_ignored(self):
        history = [
            (1, draw([5, 1, 2, 3, 4, 6, 7], (8, 9))),
            (2, draw([10, 11, 12, 13, 14, 15, 5], (16, 17))),
            (3, draw([18, 19, 20, 21, 22, 23, 24], (5, 25))),
            (4, [1, 2, 3, None, 5, 6, 7, 8, 9]),
        ]
        s = ref.startup_summary(history)
        self.assertEqual(s["numberCounts"][5], 3)
        self.assertEqual(s["latestDrawNumber"], 3)
        self.assertEqual(s["maxCount"], 3)
        # counts: 5 -> 3; 1..25 other than 5 -> 1; 26..37 -> 0
        self.assertEqual(s["countGroups"][0], ",".join(str(n) for n in range(26, 38)))
        self.assertEqual(s["countGroups"][1], ",".join(str(n) for n in range(1, 26) if n != 5))
        self.assertEqual(s["countGroups"][2], "")
        self.assertEqual(s["countGroups"][3], "5")
        self.assertEqual(s["groupRowCount"], 4)

    def test_no_zero_count_leaves_entry_zero_empty(self):
        history = [(d, draw(range(1, 8), (8, 9))) for d in (1,)]
        history += [(2, draw(range(10, 17), (17, 18))), (3, draw(range(19, 26), (26, 27))),
                    (4, draw(range(28, 35), (35, 36))), (5, draw([37, 1, 2, 3, 4, 5, 6], (7, 8)))]
        s = ref.startup_summary(history)
        self.assertNotIn(0, s["numberCounts"][1:])
        self.assertEqual(s["countGroups"][0], "")
        nonempty = sum(1 for g in s["countGroups"] if g)
        self.assertEqual(s["groupRowCount"], nonempty + 1)

    def test_rows_but_none_complete(self):
        s = ref.startup_summary([(1, [1, 2, 3, 4, 5, 6, 7, 8, None])])
        self.assertEqual(s["latestDrawNumber"], 0)
        self.assertEqual(s["maxCount"], 0)
        self.assertEqual(s["countGroups"], [",".join(str(n) for n in range(1, 38))])
        self.assertEqual(s["groupRowCount"], 2)


def filler(d):
    """A complete draw whose numbers avoid 1..8 and rotate, so that nothing recurs by accident
    at short gaps."""
    base = 9 + (d * 7) % 29
    return draw([((base - 9 + j) % 29) + 9 for j in range(7)], (((base + 7 - 9) % 29) + 9, ((base + 8 - 9) % 29) + 9))


class EliminationTest(unittest.TestCase):
    def test_missing_draw_gives_add(self):
        # latest 20, draw 16 (= 20 - 4) missing: entry 0 is 0 + 22
        history = [(d, filler(d)) for d in range(1, 21) if d != 16]
        engine = ref.PredictionEngine(history)
        self.assertEqual(engine.elimination(0)[0], 22)

    def test_empty_history(self):
        engine = ref.PredictionEngine([])
        self.assertEqual(engine.elimination(0), [22, 16, 17, 24, 32, 1, 12])
        self.assertEqual(engine.window_candidates(0, 14), [])
        self.assertEqual(engine.cycle_rows(), [[""] * 7 for _ in range(4)])

    def test_wrap_and_first_seen(self):
        history = [(d, filler(d)) for d in range(1, 31)]
        # latest 30: entry 0 reads draw 26 position 1, entry 7 reads draw 25 position 1
        history[25] = (26, draw([37, 2, 3, 4, 5, 6, 7]))  # 37 + 22 = 59 -> 22
        history[24] = (25, draw([37, 2, 3, 4, 5, 6, 7]))  # same again: not repeated
        engine = ref.PredictionEngine(history)
        result = engine.elimination(0)
        self.assertEqual(result[0], 22)
        self.assertEqual(result.count(22), 1)
        self.assertEqual(len(result), len(set(result)))
        # entry 1 reads draw 25 position 2: 2 + 16
        self.assertEqual(result[1], 18)

    def test_shift_moves_draws_back(self):
        history = [(d, filler(d)) for d in range(1, 41)]
        history[40 - 4 - 15 - 1] = (21, draw([1, 2, 3, 4, 5, 6, 7]))
        engine = ref.PredictionEngine(history)
        self.assertEqual(engine.elimination(15)[0], 23)


class WindowTest(unittest.TestCase):
    def test_window_excludes_latest_and_repeats(self):
        history = [
            (1, draw([1, 2, 3, 4, 5, 6, 7], (8, 9))),
            (2, draw([10, 11, 12, 13, 14, 15, 16], (1, 37))),   # 1 as bonus 1 here, main in draw 1
            (3, draw([17, 18, 19, 20, 21, 22, 23], (24, 10))),  # 10 as bonus 2: not in the window
            (4, draw([25, 26, 27, 28, 29, 30, 31], (32, 33))),
            (5, draw([34, 35, 36, 2, 3, 4, 5], (6, 7))),        # latest: not in the window
        ]
        engine = ref.PredictionEngine(history)
        got = engine.window_candidates(0, 100)
        # window draws 4, 3, 2, 1 (positions 1..8)
        expected = [25, 26, 27, 28, 29, 30, 31, 32,
                    17, 18, 19, 20, 21, 22, 23, 24,
                    10, 11, 12, 13, 14, 15, 16,
                    2, 3, 4, 5, 6, 7, 8]
        self.assertEqual(got, expected)
        self.assertEqual(engine.window_candidates(0, 14), expected[:14])
        self.assertEqual(engine.window_candidates(0, 7), expected[:7])

    def test_missing_window_draw_is_skipped(self):
        history = [(1, draw([1, 2, 3, 4, 5, 6, 7], (8, 9))), (3, draw([11, 12, 13, 14, 15, 16, 17], (18, 19))),
                   (4, draw([21, 22, 23, 24, 25, 26, 27], (28, 29))), (6, draw([31, 32, 33, 34, 35, 36, 37]))]
        engine = ref.PredictionEngine(history)
        # window 5 (missing), 4, 3, 2 (missing)
        self.assertEqual(engine.window_candidates(0, 14), [21, 22, 23, 24, 25, 26, 27, 28, 11, 12, 13, 14, 15, 16])

    def test_repeat_within_a_draw_is_not_a_candidate(self):
        history = [(1, draw([5, 5, 6, 7, 8, 9, 10], (11, 12))), (2, draw([20, 21, 22, 23, 24, 25, 26]))]
        engine = ref.PredictionEngine(history)
        self.assertEqual(engine.window_candidates(0, 14), [6, 7, 8, 9, 10, 11])  # 12 is bonus 2


class CycleTest(unittest.TestCase):
    def test_gap_seven_records_at_position(self):
        history = [(d, filler(d)) for d in range(1, 9)]
        history[0] = (1, draw([1, 2, 3, 4, 5, 6, 7], (8, 9)))
        history[7] = (8, draw([30, 31, 32, 33, 34, 35, 3], (36, 37)))
        engine = ref.PredictionEngine(history)
        rows = engine.cycle_rows()
        self.assertEqual(rows[0][6], "3")

    def test_bonus_position_search_main_only_and_duplicate_rule(self):
        # 8 stood only as a bonus number in draw 1: draw 8 finds nothing for it.
        history = [(d, [1, 2, 3, 4, 5, 6, 7, 8, 9] if d == 1 else draw([20, 21, 22, 23, 24, 25, 26], (27, 28)))
                   for d in range(1, 8)]
        history.append((8, draw([30, 31, 32, 33, 34, 35, 36], (8, 1))))
        engine = ref.PredictionEngine(history)
        cells = engine.cycle[0]
        self.assertEqual(cells[8], "")
        self.assertEqual(cells[9], "1")  # position 9, not given out
        self.assertEqual(engine.cycle_rows()[0], [""] * 7)

    def test_number_already_in_row_is_not_recorded_again(self):
        history = [(1, draw([1, 2, 3, 4, 5, 6, 7], (8, 9)))]
        history += [(d, draw([20, 21, 22, 23, 24, 25, 26], (27, 28))) for d in range(2, 8)]
        history.append((8, draw([1, 30, 31, 32, 33, 34, 1], (35, 36))))
        engine = ref.PredictionEngine(history)
        row = engine.cycle_rows()[0]
        self.assertEqual(row[0], "1")
        self.assertEqual(row[6], "")

    def test_incomplete_records_do_not_count(self):
        history = [(1, [1, 2, 3, 4, 5, 6, 7, 8, None])]
        history += [(d, draw([20, 21, 22, 23, 24, 25, 26], (27, 28))) for d in range(2, 8)]
        history.append((8, draw([1, 30, 31, 32, 33, 34, 35], (36, 37))))
        engine = ref.PredictionEngine(history)
        self.assertEqual(engine.cycle_rows()[0][0], "")
        self.assertEqual(engine.latest, 8)


if __name__ == "__main__":
    unittest.main()
