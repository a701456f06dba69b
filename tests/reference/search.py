"""Number search and the ticket check against the whole history, as `kazutama-cli search` and `check` print
them, with Fractions for the expectations.

Only complete draws count. A draw holds the searched numbers when each is among its seven main numbers (or
its nine numbers, bonus numbers included). A ticket of seven numbers scores its main hits (how many of its
numbers are among the main numbers) and bonus hits (among the two bonus numbers); a number drawn twice is
still one number of the ticket."""

from fractions import Fraction
from math import comb

from history import BONUS1, MAIN, is_complete

NUMBERS = 37
OTHERS = NUMBERS - 7 - 2


def complete_draws(h):
    return [(d, numbers) for d, numbers in h if is_complete(numbers)]


def draw_json(d, numbers):
    return {"draw": d, "main": sorted(numbers[i] for i in MAIN), "bonus": numbers[BONUS1:]}


def search(h, numbers, with_bonus=False):
    """The draws that hold every number, and how many a fair history of as many draws holds on average: of
    the C(37, 7) equally likely sets of main numbers (C(37, 9) of all nine), C(37 - k, 7 - k) hold k given
    numbers."""
    wanted, drawn = set(numbers), 9 if with_bonus else 7
    draws = complete_draws(h)
    found = [draw_json(d, n) for d, n in draws if wanted <= set(n[:drawn])]
    k = len(wanted)
    return {"numbers": sorted(wanted), "withBonus": with_bonus, "completeDraws": len(draws), "count": len(found),
            "expected": len(draws) * Fraction(comb(NUMBERS - k, drawn - k), comb(NUMBERS, drawn)), "draws": found}


def prize(main, bonus):
    """The tier won by a ticket with `main` main hits and `bonus` bonus hits, None without a prize."""
    if main == 7:
        return 1
    if main == 6:
        return 2 if bonus >= 1 else 3
    if main in (5, 4):
        return 9 - main
    if main == 3 and bonus >= 1:
        return 6
    return None


def outcome_chances():
    """{(m, b): P(a random ticket has m main hits and b bonus hits)}: which of its seven numbers fall among
    the draw's 7 main, 2 bonus and 28 other numbers."""
    return {(m, b): Fraction(comb(7, m) * comb(2, b) * comb(OTHERS, 7 - m - b), comb(NUMBERS, 7))
            for m in range(8) for b in range(3) if m + b <= 7}


def check(h, ticket):
    ticket = set(ticket)
    draws = complete_draws(h)
    scored = [(d, len(ticket & set(n[:7])), len(ticket & set(n[7:]))) for d, n in draws]
    main_hits, tiers = [0] * 8, {str(t): 0 for t in range(1, 7)}
    for _, m, b in scored:
        main_hits[m] += 1
        if prize(m, b):
            tiers[str(prize(m, b))] += 1
    chances = outcome_chances()
    expected_main = [len(draws) * sum(p for (m, _), p in chances.items() if m == hits) for hits in range(8)]
    expected_tiers = {str(t): len(draws) * sum(p for (m, b), p in chances.items() if prize(m, b) == t)
                      for t in range(1, 7)}
    prized = [t for _, m, b in scored for t in [prize(m, b)] if t]
    if prized:
        best = [s for s in scored if prize(s[1], s[2]) == min(prized)]
    else:
        most = max((m for _, m, _ in scored), default=0)
        best = [s for s in scored if s[1] == most]
    return {"numbers": sorted(ticket), "completeDraws": len(draws), "mainHits": main_hits,
            "expectedMainHits": expected_main, "tiers": tiers, "expectedTiers": expected_tiers,
            "best": [{"draw": d, "mainHits": m, "bonusHits": b, "tier": prize(m, b)} for d, m, b in best]}
