"""The backtest: every complete draw after the first, predicted from the history before it, each method's
hits and prizes, and beside them what a random pick of the same size gets on average, exactly.

The prediction is the reference engine's, filled draw by draw; at a few tested draws it is also made
afresh from the cut history, so that the two ways are seen to agree.
"""

import itertools
from collections import Counter
from fractions import Fraction
from math import comb

import history
import prediction
from history import is_complete

MAIN, BONUS, NUMBERS = 7, 2, 37
CYCLE_KEYS = ["cycle7", "cycle9", "cycle11", "cycle12"]
METHODS = CYCLE_KEYS + ["elimination", "multiple", "oneShot"]
TICKETS = set(CYCLE_KEYS + ["oneShot"])  # the multiple prediction and the elimination numbers are pools
TIERS = range(1, 7)


def tier(main, bonus):
    """The prize of a seven-number ticket with `main` main numbers and a bonus number or not; None for none."""
    if main == 7:
        return 1
    if main == 6:
        return 2 if bonus else 3
    return {5: 4, 4: 5}.get(main, 6 if main == 3 and bonus else None)


def main_chance(size, hits):
    """P(a random pick of `size` numbers holds `hits` of the seven main numbers)."""
    if hits > size:
        return Fraction(0)
    return Fraction(comb(MAIN, hits) * comb(NUMBERS - MAIN, size - hits), comb(NUMBERS, size))


def bonus_chance(size):
    """P(it holds at least one of the two bonus numbers)."""
    return 1 - Fraction(comb(NUMBERS - BONUS, size), comb(NUMBERS, size))


def tier_chance(t):
    """P(a random ticket wins tier t): over how many main and bonus numbers it holds."""
    others = NUMBERS - MAIN - BONUS
    ways = sum(comb(MAIN, m) * comb(BONUS, b) * comb(others, 7 - m - b)
               for m in range(8) for b in range(3) if m + b <= 7 and tier(m, b > 0) == t)
    return Fraction(ways, comb(NUMBERS, 7))


def judge(pick, numbers):
    """(main hits, bonus hit) of a pick against a draw's nine numbers."""
    chosen = set(pick)
    return sum(n in chosen for n in numbers[:MAIN]), any(n in chosen for n in numbers[MAIN:])


class Summary:
    """One method over the tested draws; the expectations follow from how many picks had each size."""

    def __init__(self, ticket):
        self.ticket = ticket
        self.sizes = Counter()  # picks by size, empty ones left out
        self.hits = [0] * 8
        self.bonus_hits = self.tickets = 0
        self.tiers = dict.fromkeys(TIERS, 0)

    def count(self, pick, numbers):
        if not pick:
            return
        hits, bonus = judge(pick, numbers)
        self.sizes[len(pick)] += 1
        self.hits[hits] += 1
        self.bonus_hits += bonus
        if self.ticket and len(pick) == 7:
            self.tickets += 1
            if tier(hits, bonus):
                self.tiers[tier(hits, bonus)] += 1

    def as_json(self):
        draws = sum(self.sizes.values())
        expected = lambda chance: sum(count * chance(size) for size, count in self.sizes.items())  # noqa: E731
        mean = lambda total: Fraction(total, draws) if draws else 0  # noqa: E731
        return {"draws": draws, "hits": self.hits,
                "expectedHits": [expected(lambda size: main_chance(size, h)) for h in range(8)],
                "bonusHits": self.bonus_hits, "expectedBonusHits": expected(bonus_chance),
                "meanHits": mean(sum(h * n for h, n in enumerate(self.hits))),
                "expectedMeanHits": mean(expected(lambda size: Fraction(size * MAIN, NUMBERS))),
                "tickets": self.tickets, "tiers": [self.tiers[t] for t in TIERS],
                "expectedTiers": [self.tickets * tier_chance(t) for t in TIERS]}


def picks(run):
    """{method: numbers} of one prediction run."""
    made = {key: [int(text) for text in row if text] for key, row in zip(CYCLE_KEYS, run["cycle"])}
    made.update(elimination=run["elimination"], multiple=run["multiple"], oneShot=run["oneShot"])
    return made


def walk(h):
    """(tested draw, its nine numbers, the reference engine holding exactly the history before it)."""
    engine = prediction.PredictionEngine([])
    for d, numbers in h:
        if not is_complete(numbers):
            continue
        if engine.latest:
            yield d, numbers, engine
        engine._fill(d, numbers)
        engine.latest = d


def all_shifts():
    weights = prediction.OPTION_WEIGHTS.values()
    return sorted({sum(chosen) for r in range(len(weights) + 1) for chosen in itertools.combinations(weights, r)})


def by_method(values):
    return {"oneShot": values["oneShot"], "multiple": values["multiple"], "elimination": values["elimination"],
            "cycle": [values[key] for key in CYCLE_KEYS]}


def backtest(h, options, sweep_shifts=(), fresh_every=0):
    """What `kazutama-cli backtest --format json` prints, with Fractions for the expectations; with
    sweep_shifts, the oneShot and multiple summaries at those shifts under "sweep" (by shift). fresh_every:
    every so many tested draws, the prediction is made afresh from the cut history too."""
    draws = []
    methods = {key: Summary(key in TICKETS) for key in METHODS}
    sweep = {shift: (Summary(True), Summary(False)) for shift in sweep_shifts}
    for index, (d, numbers, engine) in enumerate(walk(h)):
        run = engine.predict(options)
        if fresh_every and index % fresh_every == 0:
            fresh = prediction.PredictionEngine([record for record in h if record[0] < d]).predict(options)
            assert fresh == run, "draw %d: the engine filled draw by draw predicts %r, afresh %r" % (d, run, fresh)
        picked = picks(run)
        judged = {key: judge(pick, numbers) for key, pick in picked.items()}
        tiers = {key: tier(*judged[key]) if len(picked[key]) == 7 else None for key in picked}
        draws.append({"draw": d, "prediction": run,
                      "mainHits": by_method({key: hits for key, (hits, _) in judged.items()}),
                      "bonusHit": by_method({key: bonus for key, (_, bonus) in judged.items()}),
                      "tier": {"oneShot": tiers["oneShot"], "cycle": [tiers[k] for k in CYCLE_KEYS]}})
        for key in METHODS:
            methods[key].count(picked[key], numbers)
        for shift, (one_shot, multiple) in sweep.items():
            window = engine.window_candidates(shift, prediction.MULTIPLE_LIMIT)
            one_shot.count(window[:prediction.ONE_SHOT_LIMIT], numbers)
            multiple.count(window, numbers)
    return {"draws": draws, "methods": {key: summary.as_json() for key, summary in methods.items()},
            "sweep": {shift: {"oneShot": one_shot.as_json(), "multiple": multiple.as_json()}
                      for shift, (one_shot, multiple) in sweep.items()}}


def csv_lines(expected):
    """The lines of `backtest --format csv` after its heading, as lists of fields."""
    lines = []
    for entry in expected["draws"]:
        one_shot = entry["prediction"]["oneShot"]
        hits = entry["mainHits"]
        tier_text = entry["tier"]["oneShot"]
        lines.append([str(entry["draw"])] + [str(n) for n in one_shot] + [""] * (7 - len(one_shot)) +
                     [str(n) for n in hits["cycle"] + [hits["elimination"], hits["multiple"], hits["oneShot"]]] +
                     ["" if tier_text is None else str(tier_text)])
    return lines


def cases(sample_path=None):
    """The sample history and a few short generated ones: gaps, incomplete draws, repeated numbers, draw
    numbers up to the highest, periods that fill the cycle rows, none at all."""
    made = [("sample history", history.read_csv(sample_path))] if sample_path else []
    made += [
        ("empty", []),
        ("only incomplete draws", history.generate(9, 6, incomplete=1.0)),
        ("150 draws, gaps, incomplete", history.generate(14, 150, gaps=0.25, max_gap=5, incomplete=0.1,
                                                         incomplete_tail=2)),
        ("120 periodic draws, gaps, incomplete", history.generate(31, 120, periodic=True, mutate=0.1, gaps=0.1,
                                                                  max_gap=3, incomplete=0.1)),
        ("100 draws, repeats, incomplete", history.generate(32, 100, repeats=0.4, incomplete=0.1)),
        ("60 draws up to 32760, gaps", history.generate(33, 60, jump=(30, history.MAX_DRAW_NUMBER - 45), gaps=0.2,
                                                        max_gap=3)),
    ]
    return made
