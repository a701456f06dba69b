"""Hand-worked cases for the reference models, so that a fault in them is not mistaken for a fault in the
program (or, worse, shared with it)."""

import unittest
from fractions import Fraction
from math import comb

import backtest
import generate
import history
import search
from grid import Table, RED, BLUE, PALE_YELLOW, PALE_PINK, VERY_PALE_CYAN, MAIN_DOT, BONUS1_DOT, BONUS2_DOT
from prediction import OPTION_KEYS, PredictionEngine, compute_shift, wrap_number
from summary import Summary
from views import all_views

VIEWS = all_views()
FREQUENCY = VIEWS["出現頻度分析"]
BY_COUNT = VIEWS["回数別出現分析"]
DOT = "●"
TITLE = "  出 現 頻 度（回）"


def draw(d, main, b1=36, b2=37):
    return (d, list(main) + [b1, b2])


def numbers(first, last, but=()):
    return ",".join(str(n) for n in range(first, last + 1) if n not in but)


def schedule(needs):
    """Draws of nine different numbers that give each number n exactly needs[n] appearances."""
    remaining = dict(needs)
    draws = []
    while any(remaining.values()):
        picked = sorted((n for n in remaining if remaining[n]), key=lambda n: (-remaining[n], n))[:9]
        assert len(picked) == 9, "needs cannot be met with nine different numbers per draw"
        for n in picked:
            remaining[n] -= 1
        draws.append(draw(len(draws) + 1, picked[:7], picked[7], picked[8]))
    return draws


def filler(d):
    """A complete draw of numbers 9..37, rotating so that nothing comes back at a short gap by accident."""
    return draw(d, [9 + (d * 7 + j) % 29 for j in range(7)], 9 + (d * 7 + 7) % 29, 9 + (d * 7 + 8) % 29)


def build(module, h):
    return module.build(h, Summary(h))


class HistoryTest(unittest.TestCase):
    def test_csv_round_trip_keeps_empty_fields(self):
        h = [(1, [1, 2, 3, 4, 5, 6, 7, 8, 9]), (3, [None, 2, 3, 4, 5, 6, 7, 8, None])]
        text = history.to_csv(h)
        self.assertEqual(text.splitlines(), [",".join(history.HEADER), "1,1,2,3,4,5,6,7,8,9", "3,,2,3,4,5,6,7,8,"])
        self.assertEqual(history.parse_csv(text), h)

    def test_the_histories_carry_what_the_checks_rely_on(self):
        made = history.cases()
        self.assertEqual(len({name for name, _ in made}), len(made))
        rows = [record for _, h in made for record in h]
        self.assertIn(history.MAX_DRAW_NUMBER, [d for d, _ in rows])
        self.assertTrue(any(n == [None] * 9 for _, n in rows))
        self.assertTrue(any(n[history.BONUS2] is None and history.is_complete(n[:8]) for _, n in rows))
        self.assertTrue(any(history.is_complete(n) and len(set(n)) < 9 for _, n in rows))
        self.assertTrue(any(b[0] - a[0] > 1 for _, h in made for a, b in zip(h, h[1:])))
        # Every cycle row fills somewhere, or the cycle cross-check proves little.
        filled = [any(any(row) for row in (PredictionEngine(h).cycle_rows()[r] for _, h in made)) for r in range(4)]
        self.assertEqual(filled, [True] * 4)


class GridTest(unittest.TestCase):
    def test_writes_outside_the_extent_are_dropped(self):
        t = Table(2, 3)
        for col, row in [(3, 1), (1, 4), (0, 1)]:
            t.set_text(col, row, "x")
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
    def test_worked_examples(self):
        bonus_like_main = [draw(1, [5, 1, 2, 3, 4, 6, 7], 8, 9), draw(2, [10, 11, 12, 13, 14, 15, 5], 16, 17),
                           draw(3, [18, 19, 20, 21, 22, 23, 24], 5, 25), (4, [1, 2, 3, None, 5, 6, 7, 8, 9])]
        cases = [
            # name, history, (LatestDrawNumber, MaxCount, GroupRowCount), CountGroups, some NumberCounts
            ("empty", [], (0, 0, 0), [""], {1: 0, 37: 0}),
            ("incomplete only", [(1, [1, 2, 3, 4, 5, 6, 7, 8, None])], (0, 0, 2), [numbers(1, 37)], {1: 0}),
            ("bonus like main, incomplete last", bonus_like_main, (3, 3, 4),
             ["26,27,28,29,30,31,32,33,34,35,36,37", numbers(1, 25, but=[5]), "", "5"], {5: 3, 25: 1, 26: 0}),
            ("none never drawn", schedule({n: 2 if n <= 26 else 1 for n in range(1, 38)}), (7, 2, 3),
             ["", numbers(27, 37), numbers(1, 26)], {26: 2, 27: 1}),
        ]
        for name, h, values, groups, counts in cases:
            with self.subTest(name):
                s = Summary(h)
                self.assertEqual((s.latest_draw_number, s.max_count, s.group_row_count), values)
                self.assertEqual(s.count_groups, groups)
                self.assertEqual({n: s.number_counts[n] for n in counts}, counts)


class ShiftTest(unittest.TestCase):
    def test_weights(self):
        self.assertEqual(compute_shift({}), 0)
        self.assertEqual(compute_shift(dict.fromkeys(OPTION_KEYS, False)), 0)
        self.assertEqual(compute_shift(dict.fromkeys(OPTION_KEYS, True)), 92)
        self.assertEqual([compute_shift({k: True}) for k in OPTION_KEYS], [1, 15, 6, 9, 10, 4, 8, 2, 11, 7, 16, 3])

    def test_wrap(self):
        self.assertEqual([wrap_number(v) for v in (59, 1, 38, 37, 0)], [22, 1, 1, 37, 37])


class EliminationTest(unittest.TestCase):
    def test_missing_draw_gives_the_added_value(self):
        engine = PredictionEngine([filler(d) for d in range(1, 21) if d != 16])  # latest 20, 20 - 4 missing
        self.assertEqual(engine.elimination(0)[0], 22)

    def test_empty_history(self):
        engine = PredictionEngine([])
        self.assertEqual(engine.elimination(0), [22, 16, 17, 24, 32, 1, 12])
        self.assertEqual(engine.window_candidates(0, 14), [])
        self.assertEqual(engine.cycle_rows(), [[""] * 7] * 4)

    def test_wrap_and_first_seen(self):
        h = [filler(d) for d in range(1, 31)]
        h[25] = draw(26, [37, 2, 3, 4, 5, 6, 7])  # entry 0 (latest 30 - 4): 37 + 22 = 59 -> 22
        h[24] = draw(25, [37, 2, 3, 4, 5, 6, 7])  # entry 7 gives 22 again; entry 1: 2 + 16
        result = PredictionEngine(h).elimination(0)
        self.assertEqual(result[:2], [22, 18])
        self.assertEqual(result.count(22), 1)

    def test_shift_moves_draws_back(self):
        h = [filler(d) for d in range(1, 41)]
        h[20] = draw(21, [1, 2, 3, 4, 5, 6, 7])  # 40 - 4 - 15
        self.assertEqual(PredictionEngine(h).elimination(15)[0], 23)


class WindowTest(unittest.TestCase):
    def test_window_excludes_the_latest_draw_and_repeats(self):
        engine = PredictionEngine([
            draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9),
            draw(2, [10, 11, 12, 13, 14, 15, 16], 1, 37),   # 1 as first bonus here, main in draw 1
            draw(3, [17, 18, 19, 20, 21, 22, 23], 24, 10),  # 10 as second bonus: not in the window
            draw(4, [25, 26, 27, 28, 29, 30, 31], 32, 33),
            draw(5, [34, 35, 36, 2, 3, 4, 5], 6, 7),        # latest: not in the window
        ])
        expected = [25, 26, 27, 28, 29, 30, 31, 32, 17, 18, 19, 20, 21, 22, 23, 24,
                    10, 11, 12, 13, 14, 15, 16, 2, 3, 4, 5, 6, 7, 8]
        self.assertEqual(engine.window_candidates(0, 100), expected)
        self.assertEqual(engine.window_candidates(0, 7), expected[:7])

    def test_missing_window_draw_is_skipped(self):
        engine = PredictionEngine([draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9), draw(3, [11, 12, 13, 14, 15, 16, 17], 18, 19),
                                   draw(4, [21, 22, 23, 24, 25, 26, 27], 28, 29),
                                   draw(6, [31, 32, 33, 34, 35, 36, 37])])
        # window 5 (missing), 4, 3, 2 (missing)
        self.assertEqual(engine.window_candidates(0, 14), [21, 22, 23, 24, 25, 26, 27, 28, 11, 12, 13, 14, 15, 16])

    def test_repeat_within_a_draw_is_not_a_candidate(self):
        engine = PredictionEngine([draw(1, [5, 5, 6, 7, 8, 9, 10], 11, 12), draw(2, [20, 21, 22, 23, 24, 25, 26])])
        self.assertEqual(engine.window_candidates(0, 14), [6, 7, 8, 9, 10, 11])


class CycleTest(unittest.TestCase):
    def quiet(self, last):
        """Draws 2..last of the same nine numbers 20..28, which come back after one draw only."""
        return [draw(d, [20, 21, 22, 23, 24, 25, 26], 27, 28) for d in range(2, last + 1)]

    def test_gap_seven_records_at_the_position(self):
        h = [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9)] + self.quiet(7) + [draw(8, [30, 31, 32, 33, 34, 35, 3])]
        self.assertEqual(PredictionEngine(h).cycle_rows()[0], ["", "", "", "", "", "", "3"])

    def test_search_is_over_main_numbers_and_bonus_positions_are_recorded_unseen(self):
        # 8 stood only as a bonus number in draw 1: nothing found for it; 1 is recorded at position 9.
        h = [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9)] + self.quiet(7) + [draw(8, [30, 31, 32, 33, 34, 35, 36], 8, 1)]
        engine = PredictionEngine(h)
        self.assertEqual(engine.cycle[0][8:], ["", "1"])
        self.assertEqual(engine.cycle_rows()[0], [""] * 7)

    def test_number_already_in_the_row_is_not_recorded_again(self):
        h = [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9)] + self.quiet(7) + [draw(8, [1, 30, 31, 32, 33, 34, 1], 35, 36)]
        self.assertEqual(PredictionEngine(h).cycle_rows()[0], ["1", "", "", "", "", "", ""])

    def test_incomplete_draws_do_not_count(self):
        h = [(1, [1, 2, 3, 4, 5, 6, 7, 8, None])] + self.quiet(7) + [draw(8, [1, 30, 31, 32, 33, 34, 35])]
        engine = PredictionEngine(h)
        self.assertEqual(engine.cycle_rows()[0][0], "")
        self.assertEqual(engine.latest, 8)


class BacktestTest(unittest.TestCase):
    def test_tiers_and_chances(self):
        cases = [(7, False, 1), (6, True, 2), (6, False, 3), (5, True, 4), (4, True, 5), (3, True, 6), (3, False, None)]
        self.assertEqual([backtest.tier(m, b) for m, b, _ in cases], [t for _, _, t in cases])
        self.assertEqual([backtest.tier_chance(t) * comb(37, 7) for t in (1, 2, 3)], [1, 7 * 2, 7 * 28])
        for size in (1, 7, 14, 21):
            self.assertEqual(sum(h * backtest.main_chance(size, h) for h in range(8)), Fraction(7 * size, 37))

    def test_tested_draws_hits_and_pools(self):
        # 1 starts the history, 2 is incomplete; 4 is predicted from 1, 5 from 1 and 4 (window: draw 1).
        h = [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9), (2, [1, 2, 3, 4, 5, 6, 7, 8, None]),
             draw(4, [10, 11, 12, 13, 14, 15, 16], 17, 18), draw(5, [1, 2, 3, 20, 21, 22, 23], 24, 17)]
        result = backtest.backtest(h, {}, fresh_every=1)
        self.assertEqual([(d["draw"], d["mainHits"]["oneShot"], d["mainHits"]["elimination"]) for d in result["draws"]],
                         [(4, 0, 2), (5, 3, 2)])  # elimination: the seven added values 22 16 17 24 32 1 12
        self.assertEqual(result["methods"]["elimination"]["tickets"], 0)  # a pool, even of seven numbers


class SearchTest(unittest.TestCase):
    H = [draw(1, [7, 10, 12, 17, 23, 28, 34], 3, 15), draw(2, [1, 7, 9, 11, 20, 30, 37], 23, 5),
         draw(3, [31, 7, 8, 11, 14, 23, 2], 5, 16), (4, [4, 5, 6, 7, 18, 22, 23, None, None])]

    def test_draws_holding_every_number_and_the_exact_expectation(self):
        main = search.search(self.H, [23, 7])
        self.assertEqual((main["numbers"], main["completeDraws"], main["count"]), ([7, 23], 3, 2))
        self.assertEqual(main["draws"][1], {"draw": 3, "main": [2, 7, 8, 11, 14, 23, 31], "bonus": [5, 16]})
        self.assertEqual(main["expected"], Fraction(3 * 7 * 6, 37 * 36))  # P(7 and 23 among seven of 37)
        with_bonus = search.search(self.H, [7, 23], True)
        self.assertEqual([d["draw"] for d in with_bonus["draws"]], [1, 2, 3])
        self.assertEqual(with_bonus["expected"], Fraction(3 * 9 * 8, 37 * 36))
        self.assertEqual(search.search(self.H, [3], True)["count"], 1)  # a bonus number only
        self.assertEqual(search.search(self.H, [3])["count"], 0)
        self.assertEqual(search.search([], [1, 2, 3, 4, 5, 6, 7])["expected"], 0)

    def test_tier_boundaries(self):
        ticket = [1, 2, 3, 4, 5, 6, 7]
        cases = [(draw(1, [1, 2, 3, 30, 31, 32, 33], 34, 35), 3, 0, None),
                 (draw(2, [1, 2, 3, 30, 31, 32, 33], 4, 35), 3, 1, 6),
                 (draw(3, [1, 2, 3, 30, 31, 32, 33], 5, 4), 3, 2, 6),
                 (draw(4, [1, 2, 3, 4, 5, 6, 30], 31, 32), 6, 0, 3),
                 (draw(5, [1, 2, 3, 4, 5, 6, 30], 31, 7), 6, 1, 2),
                 (draw(6, [7, 6, 5, 4, 3, 2, 1], 30, 31), 7, 0, 1),
                 (draw(7, [1, 2, 3, 4, 30, 31, 32], 5, 6), 4, 2, 5),
                 (draw(8, [1, 2, 30, 31, 32, 33, 34], 3, 4), 2, 2, None),
                 ((9, [5] * 9), 1, 1, None)]  # a number drawn twice is still one number of the ticket
        for record, m, b, t in cases:
            result = search.check([record], ticket)
            self.assertEqual(result["best"], [{"draw": record[0], "mainHits": m, "bonusHits": b, "tier": t}])
            self.assertEqual(result["tiers"], {str(k): int(k == t) for k in range(1, 7)})
        # Six main hits and both bonus numbers take eight numbers; a seven-number ticket never has them.
        self.assertEqual((search.prize(6, 2), search.prize(7, 0), search.prize(2, 2)), (2, 1, None))
        whole = search.check([record for record, *_ in cases], ticket)
        self.assertEqual(whole["best"], [{"draw": 6, "mainHits": 7, "bonusHits": 0, "tier": 1}])
        self.assertEqual(whole["mainHits"], [0, 1, 1, 3, 1, 0, 2, 1])  # 1, 2, 3 × 3, 4, 6 × 2, 7

    def test_without_a_prize_the_best_are_the_most_main_hits_in_draw_order(self):
        h = [draw(2, [1, 2, 20, 21, 22, 23, 24]), draw(5, [1, 20, 21, 22, 23, 24, 25], 2, 3),
             draw(7, [1, 2, 30, 31, 32, 33, 34], 3, 35), (8, [1, 2, 3, 4, 5, 6, 7, 8, None])]
        result = search.check(h, [1, 2, 3, 4, 5, 6, 7])
        self.assertEqual([(b["draw"], b["tier"]) for b in result["best"]], [(2, None), (7, None)])
        self.assertEqual(result["completeDraws"], 3)

    def test_expectations_of_a_random_ticket(self):
        chances = search.outcome_chances()
        self.assertEqual(sum(chances.values()), 1)
        result = search.check([filler(d) for d in range(1, 12)], [1, 2, 3, 4, 5, 6, 7])
        # The tiers worked out from the ticket's side (backtest) and from the draw's must agree.
        self.assertEqual([result["expectedTiers"][str(t)] for t in range(1, 7)],
                         [11 * backtest.tier_chance(t) for t in range(1, 7)])
        self.assertEqual(result["expectedTiers"]["4"], Fraction(11 * comb(7, 5) * comb(30, 2), comb(37, 7)))
        self.assertEqual(sum(h * e for h, e in enumerate(result["expectedMainHits"])), Fraction(11 * 7 * 7, 37))


class FrequencyTest(unittest.TestCase):
    def test_empty_history_has_two_number_columns_and_the_title_in_column_1(self):
        t = build(FREQUENCY, [])
        self.assertEqual((t.columns, t.rows), (2, 39))
        self.assertEqual([t.cell(1, 1), t.cell(2, 1)], [(TITLE, BLUE, VERY_PALE_CYAN), ("", BLUE, VERY_PALE_CYAN)])
        for col in (1, 2):
            self.assertEqual([t.cell(col, row)[0] for row in range(2, 40)], ["数字"] + [str(n) for n in range(1, 38)])
        self.assertEqual(len(t.cells()), 2 * 39)

    def test_incomplete_draws_draw_nothing(self):
        t = build(FREQUENCY, [(1, [1, 2, 3, 4, 5, 6, 7, 8, None]), (2, [None] * 9)])
        self.assertEqual(t.columns, 2)
        self.assertNotIn(DOT, [text for text, _, _ in t.cells().values()])

    def test_bonus_first_then_main_gives_pink_then_blue_dot(self):
        t = build(FREQUENCY, [draw(1, [1, 2, 3, 4, 5, 6, 7], 8, 9), draw(2, [8, 10, 11, 12, 13, 14, 15], 16, 9),
                              (3, [8, 9, 1, 2, 3, 4, 5, 6, None])])
        self.assertEqual(t.columns, 4)
        self.assertEqual([t.cell(c, 10) for c in (2, 3)], [(DOT, BONUS1_DOT, None), (DOT, MAIN_DOT, None)])
        self.assertEqual([t.cell(c, 11) for c in (2, 3)], [(DOT, BONUS2_DOT, None)] * 2)
        self.assertEqual([t.cell(c, 3) for c in (2, 3)], [(DOT, MAIN_DOT, None), ("", None, None)])
        self.assertEqual([t.cell(c, 39)[0] for c in range(1, 5)], ["37", "", "", "37"])  # never drawn
        self.assertEqual([t.cell(c, 2) for c in (2, 3)], [("1", RED, PALE_YELLOW), ("2", RED, PALE_YELLOW)])
        self.assertEqual([t.cell(c, 1) for c in (1, 3, 4)], [(TITLE, BLUE, VERY_PALE_CYAN), ("", None, PALE_YELLOW),
                                                              ("", BLUE, VERY_PALE_CYAN)])

    def test_title_goes_to_the_column_nearest_a_third_of_the_last(self):
        for last, col in [(2, 1), (3, 1), (4, 1), (5, 2), (6, 2), (7, 2), (8, 3), (9, 3), (10, 3), (11, 4)]:
            t = build(FREQUENCY, [draw(d, [1, 2, 3, 4, 5, 6, 7], 8, 9) for d in range(1, last - 1)])
            self.assertEqual([c for c in range(1, t.columns + 1) if t.cell(c, 1)[0]], [col], "L = %d" % last)
            if col > 1:
                self.assertEqual(t.cell(col, 1), (TITLE, RED, PALE_YELLOW))

    def test_number_repeated_in_one_draw_gets_a_dot_per_appearance(self):
        t = build(FREQUENCY, [(1, [5] * 9), draw(2, [5, 1, 2, 3, 4, 6, 7], 8, 9)])
        self.assertEqual(t.columns, 12)
        self.assertEqual([t.cell(c, 7)[1] for c in range(2, 12)], [MAIN_DOT] * 7 + [BONUS1_DOT, BONUS2_DOT, MAIN_DOT])
        self.assertEqual([t.cell(c, 2)[0] for c in range(2, 12)], [str(k) for k in range(1, 11)])


class ByCountTest(unittest.TestCase):
    def test_empty_history_sets_up_no_rows(self):
        t = build(BY_COUNT, [])
        self.assertEqual((t.columns, t.rows, t.cells()), (2, 0, {}))

    def test_rows(self):
        cases = [
            # name, history, rows, {row: (column 1, column 2)}; column 1 is pale yellow, column 2 blue
            ("incomplete only", [(1, [None] * 9)], 2, {2: ("0回", numbers(1, 37))}),
            ("counts no number has leave no row",
             [draw(1, [5, 1, 2, 3, 6, 7, 8], 9, 10), draw(2, [5, 1, 2, 11, 12, 13, 14], 15, 16),
              draw(3, [5, 1, 2, 17, 18, 19, 20], 21, 22), draw(4, [5, 23, 24, 25, 26, 27, 28], 29, 31)], 5,
             {2: ("0回", "4,30,32,33,34,35,36,37"), 3: ("1回", numbers(3, 31, but=[4, 5, 30])), 4: ("3回", "1,2"),
              5: ("4回", "5")}),
            ("twelve", schedule({n: 12 if n <= 9 else 0 for n in range(1, 38)}), 3,
             {2: ("0回", numbers(10, 37)), 3: ("12回", numbers(1, 9))}),
            ("every count different", schedule({n: n - 1 for n in range(1, 38)}), 38,
             {2: ("0回", "1"), 3: ("1回", "2"), 20: ("18回", "19"), 38: ("36回", "37")}),
            # More groups than LatestDrawNumber + 2 rows: the background still reaches the last.
            ("repeated numbers", [(1, [1, 1, 1, 1, 1, 1, 2, 2, 3])], 5,
             {3: ("1回", "3"), 4: ("2回", "2"), 5: ("6回", "1")}),
        ]
        for name, h, rows, texts in cases:
            with self.subTest(name):
                t = build(BY_COUNT, h)
                self.assertEqual((t.columns, t.rows), (2, rows))
                self.assertEqual([t.cell(1, 1), t.cell(2, 1)],
                                 [("出 現", None, PALE_PINK), ("数 字", None, PALE_PINK)])
                for row, (count, group) in texts.items():
                    self.assertEqual([t.cell(1, row), t.cell(2, row)],
                                     [(count, None, PALE_YELLOW), (group, BLUE, None)])


if __name__ == "__main__":
    unittest.main()


class GeneratorTest(unittest.TestCase):
    def test_the_engine_gives_the_standards_ten_thousandth_number(self):
        engine = generate.MersenneTwister64(5489)
        for _ in range(9999):
            engine()
        self.assertEqual(engine(), 9981545732273789042)

    def test_counts_by_programme_match_binomials_and_the_first_combinations(self):
        f = {"include": [1, 2], "exclude": [37], "odd": [7, 7], "sum": [28, 28]}
        self.assertEqual(generate.dp_count(f, ["include"], []), comb(35, 5))
        self.assertEqual(generate.dp_count(f, ["exclude"], []), comb(36, 7))
        self.assertEqual(generate.dp_count(f, ["odd"], []), comb(19, 7))
        self.assertEqual(generate.dp_count(f, ["sum"], []), 1)  # 1..7 alone
        self.assertEqual(generate.combination_at(0), [1, 2, 3, 4, 5, 6, 7])
        self.assertEqual(generate.combination_at(generate.TOTAL - 1), list(range(31, 38)))

    def test_pairs_count_each_neighbour(self):
        self.assertEqual(generate.pairs([1, 2, 3, 10, 12, 14, 30], 1), 2)
        self.assertEqual(generate.pairs([1, 2, 3, 10, 12, 14, 30], 2), 2)

    def test_near_draws_include_the_draw_itself(self):
        draw = set(range(1, 8))
        near = generate.near_draws([draw], 5)
        self.assertIn(tuple(range(1, 8)), near)
        self.assertEqual(len(near), 1 + 7 * 30)
