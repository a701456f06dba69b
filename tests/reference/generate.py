"""The combination generator as `kazutama-cli generate` prints it, counted without walking the combinations:
dynamic programmes over the numbers 1..37, binomial coefficients and enumerations of the few combinations near
the past draws; the past draws by brute force; the chances exact in integers.

A combination is seven distinct numbers of 1..37. Its filters: `include` numbers all in it, `exclude` none;
`sum`, `odd` and `low` (1..18) counts in a range; `consecutive` and `stepping`: neighbours in ascending order
that differ by 1 or 2 (1,2,3 is two consecutive pairs); `previous`: how many of the newest complete draw's main
numbers it holds; `sameLastDigitMax` K: no more than K of it share a last digit; `pastMatchMax` K: it shares at
most K numbers with every complete draw; `pool`: all its numbers in the pool. A past complete draw is measured
on its seven main numbers as stored (a number stored twice counts twice in sums and counts, once where the
filter asks which numbers it holds), `previous` against the complete draw before it (none before the first:
0) and `pastMatchMax` against the complete draws before it."""

from fractions import Fraction
from itertools import combinations
from math import comb

import history
from search import complete_draws

NUMBERS = 37
TOTAL = comb(NUMBERS, 7)
LOW = 18
RANGES = ("sum", "odd", "low", "consecutive", "stepping", "previous")
ORDER = ("include", "exclude", "sum", "odd", "low", "consecutive", "stepping", "previous", "sameLastDigitMax",
         "pastMatchMax", "pool")


def pairs(numbers, gap):
    s = sorted(numbers)
    return sum(1 for a, b in zip(s, s[1:]) if b - a == gap)


def measures(numbers, previous):
    """The counted values of seven numbers (a draw's may repeat one)."""
    return {"sum": sum(numbers), "odd": sum(n % 2 for n in numbers), "low": sum(n <= LOW for n in numbers),
            "consecutive": pairs(numbers, 1), "stepping": pairs(numbers, 2),
            "previous": len(set(numbers) & set(previous)),
            "digits": max(sum(1 for n in numbers if n % 10 == d) for d in range(10))}


def passes(name, f, numbers, previous, earlier):
    """Whether seven numbers pass filter `name` of f; `earlier`: the draws (sets) pastMatchMax is against."""
    held = set(numbers)
    if name == "include":
        return set(f["include"]) <= held
    if name == "exclude":
        return not held & set(f["exclude"])
    if name == "pool":
        return held <= set(f["pool"])
    if name == "pastMatchMax":
        return all(len(held & e) <= f["pastMatchMax"] for e in earlier)
    value = measures(numbers, previous)["digits" if name == "sameLastDigitMax" else name]
    if name == "sameLastDigitMax":
        return value <= f[name]
    return f[name][0] <= value <= f[name][1]


def dp_count(f, names, previous):
    """Combinations passing every filter of `names` but pastMatchMax: a programme over the numbers 1..37 in
    turn, taken or not; include, exclude and pool decide which may or must be taken, the state carries the
    counts the others need (the last number taken for the pairs)."""
    must = set(f["include"]) if "include" in names else set()
    never = set(f["exclude"]) if "exclude" in names else set()
    if "pool" in names:
        never |= set(range(1, NUMBERS + 1)) - set(f["pool"])
    ranged = [r for r in RANGES if r in names]
    high = {r: f[r][1] for r in ranged}
    digits = "sameLastDigitMax" in names
    prev = set(previous)
    # state: (taken, last, values of `ranged`..., digit counts) -> combinations
    states = {(0, 0) + (0,) * len(ranged) + ((0,) * 10 if digits else ()): 1}
    for n in range(1, NUMBERS + 1):
        following = {}
        for state, ways in states.items():
            if n not in must:
                following[state] = following.get(state, 0) + ways
            if n in never or state[0] == 7:
                continue
            taken, last = state[0], state[1]
            step = {"sum": n, "odd": n % 2, "low": int(n <= LOW), "consecutive": int(last and n - last == 1),
                    "stepping": int(last and n - last == 2), "previous": int(n in prev)}
            values = tuple(v + step[r] for v, r in zip(state[2:2 + len(ranged)], ranged))
            if any(v > high[r] for v, r in zip(values, ranged)):
                continue
            rest = ()
            if digits:
                counts = list(state[2 + len(ranged):])
                counts[n % 10] += 1
                if counts[n % 10] > f["sameLastDigitMax"]:
                    continue
                rest = tuple(counts)
            key = (taken + 1, n) + values + rest
            following[key] = following.get(key, 0) + ways
        states = following
    return sum(ways for state, ways in states.items() if state[0] == 7 and
               all(f[r][0] <= v for v, r in zip(state[2:2 + len(ranged)], ranged)))


def near_draws(draws, most):
    """Every combination sharing more than `most` numbers with one of the draws (sets): for each draw, those
    that share exactly j of its numbers and take the other 7 - j elsewhere, for every j > most."""
    near = set()
    for draw in draws:
        others = [n for n in range(1, NUMBERS + 1) if n not in draw]
        for j in range(most + 1, min(7, len(draw)) + 1):
            for shared in combinations(sorted(draw), j):
                for more in combinations(others, 7 - j):
                    near.add(tuple(sorted(shared + more)))
    return near


def count(f, names, previous, draws):
    """Combinations passing every filter of `names`."""
    passing = dp_count(f, names, previous)
    if "pastMatchMax" in names and f["pastMatchMax"] < 7:
        others = [n for n in names if n != "pastMatchMax"]
        passing -= sum(1 for c in near_draws(draws, f["pastMatchMax"])
                       if all(passes(n, f, c, previous, []) for n in others))
    return passing


def two_sided_p(n, passing, observed):
    """P(|X - np| >= |q - np|) for X ~ Binomial(n, passing / TOTAL), summed exactly in integers."""
    if n == 0:
        return Fraction(1)
    distance = abs(observed * TOTAL - n * passing)
    far = sum(comb(n, k) * passing ** k * (TOTAL - passing) ** (n - k) for k in range(n + 1)
              if abs(k * TOTAL - n * passing) >= distance)
    return min(Fraction(1), Fraction(far, TOTAL ** n))


def generate(h, f):
    """The JSON of `generate` but its seed and tickets, for the filters f (given ones only, as option names in
    ORDER); f["pool"] the pool's numbers."""
    draws = [n[:7] for _, n in complete_draws(h)]
    newest = draws[-1] if draws else []
    names = [n for n in ORDER if n in f]
    sets = [set(d) for d in draws]
    out = {"total": TOTAL, "pastDraws": len(draws), "filters": []}

    def past(which):
        return sum(1 for i, d in enumerate(draws)
                   if all(passes(n, f, d, draws[i - 1] if i else [], sets[:i]) for n in which))

    for name in names:
        m, q = count(f, [name], newest, sets), past([name])
        out["filters"].append({"name": name, "passing": m, "pastPassing": q, "p": two_sided_p(len(draws), m, q)})
    out["passing"], out["pastPassing"] = count(f, names, newest, sets), past(names)
    out["p"] = two_sided_p(len(draws), out["passing"], out["pastPassing"])
    return out


class MersenneTwister64:
    """std::mt19937_64 as the C++ standard defines it."""

    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = [seed & self.MASK]
        for i in range(1, 312):
            x = self.state[-1]
            self.state.append((6364136223846793005 * (x ^ (x >> 62)) + i) & self.MASK)
        self.index = 312

    def __call__(self):
        if self.index == 312:
            s = self.state
            for i in range(312):
                x = (s[i] & ~((1 << 31) - 1) & self.MASK) | (s[(i + 1) % 312] & ((1 << 31) - 1))
                s[i] = s[(i + 156) % 312] ^ (x >> 1) ^ (0xB5026F5AA96619E9 if x & 1 else 0)
            self.index = 0
        y = self.state[self.index]
        self.index += 1
        y ^= (y >> 29) & 0x5555555555555555
        y ^= (y << 17) & 0x71D67FFFEDA60000
        y ^= (y << 37) & 0xFFF7EEE000000000
        return y ^ (y >> 43)


def ticket_indices(passing, count, seed):
    """The ranks among the passing combinations that `generate` takes: Floyd's sampling with a rejection
    reduction of the engine's outputs, ascending."""
    wanted = min(count, passing)
    if wanted == passing:
        return list(range(passing))
    engine, taken = MersenneTwister64(seed), set()
    for j in range(passing - wanted, passing):
        m = j + 1
        while True:
            r = engine()
            if r < (1 << 64) - (1 << 64) % m:
                break
        t = r % m
        taken.add(j if t in taken else t)
    return sorted(taken)


def combination_at(rank):
    """The combination of a rank among all in lexicographic order."""
    out, n = [], 0
    for i in range(7):
        n += 1
        while rank >= comb(NUMBERS - n, 6 - i):
            rank -= comb(NUMBERS - n, 6 - i)
            n += 1
        out.append(n)
    return out


def cases(sample_path=None):
    """The sample history and a few generated ones: short, long, with gaps, with repeated numbers."""
    wanted = ("empty", "1 draw", "5 draws", "100 draws", "150 draws, gaps, incomplete", "200 draws, repeats")
    made = history.cases(sample_path)
    return [case for case in made if case[0] in wanted or case[0] == "sample history"]
