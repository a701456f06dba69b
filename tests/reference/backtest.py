"""The backtest: every complete draw after the first predicted from the history before it, each method's
hits and prizes, and beside them exactly what a random pick of the same size gets on average."""

from collections import Counter
from fractions import Fraction
from math import comb

import history
import prediction

CYCLE_KEYS = ["cycle7", "cycle9", "cycle11", "cycle12"]
METHODS = CYCLE_KEYS + ["elimination", "multiple", "oneShot"]
TICKETS = set(CYCLE_KEYS + ["oneShot"])  # the multiple prediction and the elimination numbers are pools


def tier(main, bonus):
    """The prize of a seven-number ticket holding `main` main numbers and a bonus number or not."""
    return {7: 1, 6: 2 if bonus else 3, 5: 4, 4: 5, 3: 6 if bonus else None}.get(main)


def main_chance(size, hits):
    """P(a random pick of `size` of the 37 numbers holds `hits` of the seven main numbers)."""
    return Fraction(comb(7, hits) * comb(30, size - hits), comb(37, size)) if hits <= size else Fraction(0)


def tier_chance(t):
    """P(a random ticket wins tier t), over how many of the 7 main, 2 bonus and 28 other numbers it holds."""
    return Fraction(sum(comb(7, m) * comb(2, b) * comb(28, 7 - m - b) for m in range(8) for b in range(3)
                        if m + b <= 7 and tier(m, b > 0) == t), comb(37, 7))


class Summary:
    def __init__(self, ticket):
        self.ticket, self.sizes, self.hits, self.bonus_hits, self.tiers = ticket, Counter(), [0] * 8, 0, Counter()

    def count(self, pick, numbers):
        hits, bonus = sum(n in pick for n in numbers[:7]), any(n in pick for n in numbers[7:])
        if pick:
            self.sizes[len(pick)] += 1
            self.hits[hits] += 1
            self.bonus_hits += bonus
            if self.ticket and len(pick) == 7:
                self.tiers[tier(hits, bonus)] += 1  # None: no prize
        return hits, bonus

    def as_json(self):
        draws, tickets = sum(self.sizes.values()), sum(self.tiers.values())
        expected = lambda chance: sum(n * chance(size) for size, n in self.sizes.items())  # noqa: E731
        mean = lambda total: Fraction(total, draws) if draws else 0  # noqa: E731
        return {"draws": draws, "hits": self.hits,
                "expectedHits": [expected(lambda size: main_chance(size, h)) for h in range(8)],
                "bonusHits": self.bonus_hits,
                "expectedBonusHits": expected(lambda size: 1 - Fraction(comb(35, size), comb(37, size))),
                "meanHits": mean(sum(h * n for h, n in enumerate(self.hits))),
                "expectedMeanHits": mean(expected(lambda size: Fraction(7 * size, 37))),
                "tickets": tickets, "tiers": [self.tiers[t] for t in range(1, 7)],
                "expectedTiers": [tickets * tier_chance(t) for t in range(1, 7)]}


def all_shifts():
    sums = {0}
    for weight in prediction.OPTION_WEIGHTS.values():
        sums |= {s + weight for s in sums}
    return sorted(sums)


def backtest(h, options, sweep_shifts=(), fresh_every=0):
    """What `kazutama-cli backtest --format json` prints, with Fractions for the expectations; "sweep" holds
    the summaries at sweep_shifts, by shift. The engine is filled draw by draw; every fresh_every tested
    draws, its prediction is checked against one made afresh from the cut history."""
    draws, methods = [], {key: Summary(key in TICKETS) for key in METHODS}
    sweep = {shift: (Summary(True), Summary(False)) for shift in sweep_shifts}
    engine = prediction.PredictionEngine([])
    for d, numbers in (record for record in h if history.is_complete(record[1])):
        if engine.latest:
            run = engine.predict(options)
            if fresh_every and len(draws) % fresh_every == 0:
                fresh = prediction.PredictionEngine([r for r in h if r[0] < d]).predict(options)
                assert fresh == run, "draw %d: filled draw by draw %r, afresh %r" % (d, run, fresh)
            picks = dict(zip(CYCLE_KEYS, ([int(t) for t in row if t] for row in run["cycle"])),
                         elimination=run["elimination"], multiple=run["multiple"], oneShot=run["oneShot"])
            judged = {key: methods[key].count(pick, numbers) for key, pick in picks.items()}
            by_method = lambda value: {"oneShot": value("oneShot"), "multiple": value("multiple"),  # noqa: E731
                                       "elimination": value("elimination"), "cycle": list(map(value, CYCLE_KEYS))}
            prize = lambda key: tier(*judged[key]) if len(picks[key]) == 7 else None  # noqa: E731
            draws.append({"draw": d, "prediction": run, "mainHits": by_method(lambda key: judged[key][0]),
                          "bonusHit": by_method(lambda key: judged[key][1]),
                          "tier": {"oneShot": prize("oneShot"), "cycle": list(map(prize, CYCLE_KEYS))}})
            for shift, (one_shot, multiple) in sweep.items():
                window = engine.window_candidates(shift, prediction.MULTIPLE_LIMIT)
                one_shot.count(window[:prediction.ONE_SHOT_LIMIT], numbers)
                multiple.count(window, numbers)
        engine._fill(d, numbers)  # what the engine does with each complete draw of the history it is given
        engine.latest = d
    return {"draws": draws, "methods": {key: summary.as_json() for key, summary in methods.items()},
            "sweep": {shift: {"oneShot": one.as_json(), "multiple": many.as_json()}
                      for shift, (one, many) in sweep.items()}}


def cases(sample_path=None):
    """The sample history and a few short generated ones: gaps, incomplete draws, repeated numbers, draw
    numbers up to the highest, periods that fill the cycle rows, none at all."""
    generate = history.generate
    return ([("sample history", history.read_csv(sample_path))] if sample_path else []) + [
        ("empty", []), ("only incomplete draws", generate(9, 6, incomplete=1.0)),
        ("150 draws, gaps, incomplete", generate(14, 150, gaps=0.25, max_gap=5, incomplete=0.1, incomplete_tail=2)),
        ("120 periodic draws, gaps, incomplete", generate(31, 120, periodic=True, mutate=0.1, gaps=0.1, max_gap=3,
                                                          incomplete=0.1)),
        ("100 draws, repeats, incomplete", generate(32, 100, repeats=0.4, incomplete=0.1)),
        ("60 draws up to 32760, gaps", generate(33, 60, jump=(30, history.MAX_DRAW_NUMBER - 45), gaps=0.2, max_gap=3)),
    ]
