"""Draw histories as plain values, the CSV that kazutama-cli imports, and the seeded test histories.

A history is a list of (draw_number, numbers) pairs in ascending draw-number order; numbers holds nine
entries (the seven main numbers, then the two bonus numbers), each an int, or None where not entered yet.
"""

import csv
import io
import random

HEADER = ["回数", "第1数字", "第2数字", "第3数字", "第4数字", "第5数字", "第6数字", "第7数字",
          "ボーナス数字1", "ボーナス数字2"]
MAIN = range(0, 7)
BONUS1 = 7
BONUS2 = 8
MAX_DRAW_NUMBER = 32760
# The periods of the periodic histories: the cycle lengths the prediction looks for.
PERIODS = (7, 9, 11, 12)


def is_complete(numbers):
    return all(n is not None for n in numbers)


def parse_csv(text):
    rows = list(csv.reader(io.StringIO(text)))
    if rows and [h.strip().lstrip("\ufeff") for h in rows[0]] != HEADER:
        raise ValueError("unexpected CSV header: %r" % (rows[0],))
    history = []
    for line_no, row in enumerate(rows[1:], start=2):
        if not any(f.strip() for f in row):
            continue
        if len(row) != 10:
            raise ValueError("line %d: expected 10 fields, got %d" % (line_no, len(row)))
        history.append((int(row[0]), [int(f) if f.strip() else None for f in row[1:]]))
    return sorted(history, key=lambda record: record[0])


def read_csv(path):
    with open(path, encoding="utf-8-sig") as f:
        return parse_csv(f.read())


def to_csv(history):
    lines = [",".join(HEADER)]
    for d, numbers in history:
        lines.append(",".join([str(d)] + ["" if n is None else str(n) for n in numbers]))
    return "\n".join(lines) + "\n"


def _draw(rng, pool, repeats):
    if repeats or len(pool) < 9:
        return [rng.choice(pool) for _ in range(9)]
    return rng.sample(pool, 9)


def _blank(rng, numbers):
    """Leaves fields empty, as in a draw that is numbered but not fully entered."""
    numbers = list(numbers)
    how = rng.randrange(4)
    if how == 0:
        return [None] * 9
    if how == 1:
        numbers[BONUS2] = None
        return numbers
    for index in rng.sample(range(9), rng.randint(1, 4)):
        numbers[index] = None
    return numbers


def generate(seed, length, start=1, gaps=0.0, max_gap=1, jump=None, incomplete=0.0, incomplete_tail=0,
             repeats=0.0, pool=range(1, 38), periodic=False, mutate=0.0):
    """A history of up to `length` draws, numbered from `start`.

    gaps: share of draw numbers that skip ahead by 2..max_gap; jump=(row, d): that row is numbered d.
    incomplete: share of draws with fields left empty; incomplete_tail: the last so many are.
    repeats: share of draws whose nine numbers are picked with replacement. pool: the numbers drawn.
    periodic: draws repeat with a period of 7, 9, 11 or 12 (changed every 30 draws), their numbers
    reshuffled among the positions and, for a share `mutate`, one number replaced.
    Numbering stops at the highest draw number.
    """
    rng = random.Random(seed)
    pool = list(pool)
    history, templates = [], []
    d = start - 1
    for row in range(length):
        if jump and row == jump[0]:
            d = jump[1]
        else:
            d += rng.randint(2, max_gap) if rng.random() < gaps else 1
        if d > MAX_DRAW_NUMBER:
            break
        if periodic:
            if row % 30 == 0:
                period = rng.choice(PERIODS)
                templates = (templates + [_draw(rng, pool, False) for _ in range(12)])[:period]
            numbers = list(templates[d % len(templates)])
            rng.shuffle(numbers)
            if rng.random() < mutate:
                numbers[rng.randrange(9)] = rng.choice(pool)
        else:
            numbers = _draw(rng, pool, rng.random() < repeats)
        if rng.random() < incomplete or row >= length - incomplete_tail:
            numbers = _blank(rng, numbers)
        history.append((d, numbers))
    return history


def cases(sample_path=None):
    """[(name, history)]: the sample history, generated ones and a few made by hand."""
    recipes = [
        ("empty", 1, dict(length=0)),
        ("1 draw", 2, dict(length=1)),
        ("2 draws", 3, dict(length=2)),
        ("5 draws", 4, dict(length=5)),
        ("17 draws", 5, dict(length=17)),  # the elimination reaches 17 draws back
        ("18 draws", 6, dict(length=18)),
        ("100 draws", 7, dict(length=100)),
        ("700 draws", 8, dict(length=700)),
        ("only incomplete draws", 9, dict(length=6, incomplete=1.0)),
        ("1 incomplete draw", 10, dict(length=1, incomplete_tail=1)),
        ("25 draws, the last incomplete", 11, dict(length=25, incomplete=0.15, incomplete_tail=1)),
        ("200 draws, the last 3 incomplete", 12, dict(length=200, incomplete=0.1, incomplete_tail=3)),
        ("40 draws with gaps", 13, dict(length=40, gaps=0.3, max_gap=6)),
        ("150 draws, gaps, incomplete", 14, dict(length=150, gaps=0.25, max_gap=5, incomplete=0.1,
                                                   incomplete_tail=2)),
        ("700 draws, wide gaps, incomplete", 15, dict(length=700, gaps=0.5, max_gap=40, incomplete=0.05,
                                                      incomplete_tail=1)),
        ("60 draws from 500", 16, dict(length=60, start=500)),
        ("10 draws, the last 32760", 17, dict(length=10, jump=(9, MAX_DRAW_NUMBER))),
        ("5 draws, then up to 32760", 18, dict(length=60, jump=(5, MAX_DRAW_NUMBER - 54), pool=range(1, 16))),
        ("2 draws, repeated numbers", 19, dict(length=2, repeats=1.0)),
        ("10 draws, repeats, incomplete", 20, dict(length=10, repeats=0.5, incomplete=0.2)),
        ("200 draws, repeats", 21, dict(length=200, repeats=0.5)),
        ("120 draws of 1..9", 22, dict(length=120, pool=range(1, 10))),
        ("300 draws of 1..12, repeats", 23, dict(length=300, pool=range(1, 13), repeats=0.3)),
        ("80 draws of 30..37, incomplete", 24, dict(length=80, pool=range(30, 38), incomplete=0.1,
                                                    incomplete_tail=1)),
        ("150 periodic draws", 25, dict(length=150, periodic=True, mutate=0.2)),
        ("300 periodic draws, often changed", 26, dict(length=300, periodic=True, mutate=0.6)),
        ("100 periodic draws, incomplete", 27, dict(length=100, periodic=True, mutate=0.2, incomplete=0.1)),
    ]
    made = [("sample history", read_csv(sample_path))] if sample_path else []
    made += [(name, generate(seed, **settings)) for name, seed, settings in recipes]
    made += [
        ("one number nine times", [(1, [5] * 9)]),
        ("bonus number, then main number", [(1, [1, 2, 3, 4, 5, 6, 7, 8, 9]),
                                            (2, [8, 10, 11, 12, 13, 14, 15, 16, 17]),
                                            (3, [20, 21, 22, 23, 24, 25, 26, 27, 28])]),
        ("incomplete draws only, by hand", [(1, [None] * 9), (2, [1, 2, 3, 4, 5, 6, 7, 8, None])]),
    ]
    return made


def describe(history, limit=12):
    """A few lines of a history for a failure report."""
    shown = history if len(history) <= limit else history[:4] + [None] + history[5 - limit:]
    lines = ["  %d rows" % len(history)]
    for record in shown:
        lines.append("  ..." if record is None else "  " + to_csv([record]).splitlines()[1])
    return "\n".join(lines)
