"""Generated histories for the table cross-checks. Each case is reproducible from its name and seed."""

import random


def generate(seed, length, incomplete=0.0, incomplete_last=False, gaps=False, repeats=0.0,
             last_draw=None):
    """A history of `length` draws.

    incomplete: share of draws with some fields left empty; incomplete_last forces the last one to be.
    gaps: draw numbers rise by 1..40 instead of 1. last_draw: renumber the last draw to this value.
    repeats: share of draws whose nine numbers are picked with replacement (numbers may repeat).
    """
    rng = random.Random(seed)
    history = []
    draw = 0
    for i in range(length):
        draw += rng.randint(1, 40) if gaps else 1
        if rng.random() < repeats:
            numbers = [rng.randint(1, 37) for _ in range(9)]
        else:
            numbers = rng.sample(range(1, 38), 9)
        is_last = i == length - 1
        if (incomplete_last and is_last) or rng.random() < incomplete:
            for k in rng.sample(range(9), rng.randint(1, 9)):
                numbers[k] = None
        history.append([draw, numbers])
    if last_draw is not None and history:
        history[-1][0] = last_draw
    return [(d, n) for d, n in history]


def cases():
    """[(name, seed, history)] covering the lengths and irregularities the tables must cope with."""
    specs = [
        ("empty", 1, dict(length=0)),
        ("one", 2, dict(length=1)),
        ("two", 3, dict(length=2)),
        ("ten", 4, dict(length=10)),
        ("hundred", 5, dict(length=100)),
        ("seven-hundred", 6, dict(length=700)),
        ("one-incomplete", 7, dict(length=1, incomplete_last=True)),
        ("two-last-incomplete", 8, dict(length=2, incomplete_last=True)),
        ("ten-incomplete", 9, dict(length=10, incomplete=0.3, incomplete_last=True)),
        ("hundred-incomplete-gaps", 10, dict(length=100, incomplete=0.1, gaps=True)),
        ("seven-hundred-gaps-incomplete-last", 11,
         dict(length=700, incomplete=0.05, incomplete_last=True, gaps=True)),
        ("one-repeats", 12, dict(length=1, repeats=1.0)),
        ("two-repeats", 13, dict(length=2, repeats=1.0)),
        ("ten-repeats-incomplete", 14, dict(length=10, repeats=0.5, incomplete=0.2)),
        ("hundred-repeats-gaps", 15, dict(length=100, repeats=0.3, gaps=True)),
        ("seven-hundred-mixed", 16, dict(length=700, repeats=0.1, incomplete=0.05, gaps=True)),
        ("ten-last-draw-32760", 17, dict(length=10, gaps=True, last_draw=32760)),
    ]
    made = [(name, seed, generate(seed, **kw)) for name, seed, kw in specs]
    made += [
        ("one-number-nine-times", None, [(1, [5] * 9)]),
        ("bonus-then-main", None, [(1, [1, 2, 3, 4, 5, 6, 7, 8, 9]), (2, [8, 10, 11, 12, 13, 14, 15, 16, 17]),
                                   (3, [20, 21, 22, 23, 24, 25, 26, 27, 28])]),
        ("only-incomplete", None, [(1, [None] * 9), (2, [1, 2, 3, 4, 5, 6, 7, 8, None])]),
    ]
    return made
