#!/usr/bin/env python3
"""Cross-checks kazutama-cli against the reference models, over the sample history and generated ones.

    check.py summary|predict|tables|backtest|search|check|generate --cli PATH [--sample CSV] [--case NAME ...]
             [--jobs N]

Each history is imported into a fresh database, and the output of `summary`, of `predict` over many
option settings (given through settings files, as the program reads them) or of `table` for every view
with a reference builder (cell by cell: text, text colour, background) is compared with the reference;
`backtest` (JSON with --sweep, and both CSVs) runs over a few shorter histories of its own. `search` and
`check` run over sets of one to seven numbers and tickets of seven: ones that hit, ones that never can, and
seeded random ones. `generate` runs a few filter sets over a few histories of its own: every count and chance,
and the tickets, reproduced where the passing combinations are few enough to list.
Exits 1 with a report of the differences; the files of a failing history (its CSV, database and settings
files) are kept in the temporary folder the report names.
"""

import argparse
import math
from itertools import combinations
import os
import random
import sys
from concurrent.futures import ThreadPoolExecutor
from fractions import Fraction

import backtest
import generate
import history
import prediction
import search
from cli import Cli, CliFailure, diff
from grid import EMPTY
from summary import Summary
from views import all_views

REPORT_LIMIT = 20


def check_summary(cli, index, h, args):
    return diff(Summary(h).as_json(), cli.json("summary", cli.import_history("h%d" % index, h)))


FIXED_OPTION_SETS = 2 + len(prediction.OPTION_KEYS)


def option_sets(rng, count):
    """All off, all on, each option alone, then `count` random settings of as many other shifts: the
    options reach the prediction only through the shift."""
    sets = [{}, dict.fromkeys(prediction.OPTION_KEYS, True)] + [{key: True} for key in prediction.OPTION_KEYS]
    shifts = {prediction.compute_shift(options) for options in sets}
    wanted = len(sets) + min(count, 93 - len(shifts))  # the shift runs from 0 to 92
    while len(sets) < wanted:
        share = rng.random()  # so that low and high shifts come up as well as middle ones
        options = {key: rng.random() < share for key in prediction.OPTION_KEYS}
        if prediction.compute_shift(options) not in shifts:
            shifts.add(prediction.compute_shift(options))
            sets.append(options)
    return sets


def settings_file(options, rng, plain):
    """As the program writes it (plain), or as a hand-edited file may be: keys in another order, keys
    that are off left out, values in another letter case or as numbers."""
    if plain:
        return prediction.settings_text(options)
    lines = []
    for key in rng.sample(prediction.OPTION_KEYS, len(prediction.OPTION_KEYS)):
        on = options.get(key, False)
        if on or rng.random() >= 0.3:
            value = rng.choice(["True", "true", "TRUE", "-1", "1"] if on else ["False", "false", "FALSE", "0"])
            lines.append("%s=%s\r\n" % (key, value))
    return "".join(lines)


def check_predict(cli, index, h, args):
    db = cli.import_history("h%d" % index, h)
    engine = prediction.PredictionEngine(h)
    rng = random.Random(index)
    lines, outcomes = [], set()
    for number, options in enumerate(option_sets(rng, args.option_sets)):
        expected = engine.predict(options)
        outcome = str((expected["elimination"], expected["multiple"]))
        if number >= FIXED_OPTION_SETS and outcome in outcomes:
            continue  # a short history gives the same numbers at many shifts: one run of them is enough
        outcomes.add(outcome)
        ini = cli.write("h%d-%d.ini" % (index, number), settings_file(options, rng, plain=number % 2 == 0))
        found = diff(expected, cli.json("predict", db, "--ini", ini))
        if found:
            lines += ["with the settings file %s (shift %d):" % (ini, prediction.compute_shift(options))] + found
        if len(lines) >= REPORT_LIMIT:
            break
    return lines


def compare_table(module, expected, actual):
    lines = ["%s: expected %r, CLI has %r" % (key, want, actual.get(key))
             for key, want in (("view", module.WINDOW_NAME), ("caption", module.CAPTION),
                               ("columns", expected.columns), ("rows", expected.rows))
             if actual.get(key) != want]
    if actual.get("columns") != expected.columns or actual.get("rows") != expected.rows:
        return lines
    got = {}
    for cell in actual.get("cells", []):
        key = (cell.get("col"), cell.get("row"))
        if key in got or not (1 <= key[0] <= expected.columns and 1 <= key[1] <= expected.rows):
            lines.append("cell %s listed twice or outside the extent" % (key,))
        got[key] = (cell.get("text", ""), cell.get("fg"), cell.get("bg"))
    want = expected.cells()
    for key in sorted(set(want) | set(got), key=lambda k: (k[1], k[0])):
        if want.get(key, EMPTY) != got.get(key, EMPTY):
            lines.append("cell (col %d, row %d): expected %r, CLI %r" % (key + (want.get(key, EMPTY),
                                                                                got.get(key, EMPTY))))
    return lines


def check_tables(cli, index, h, args):
    db = cli.import_history("h%d" % index, h)
    summary = Summary(h)
    lines = []
    for view, module in all_views().items():
        actual = cli.json("table", db, view, "--format", "json")
        lines += [view + ": " + line for line in compare_table(module, module.build(h, summary), actual)]
    return lines


def check_view_list(cli):
    listed = cli.run("views").split()
    missing = [view for view in all_views() if view not in listed]
    unchecked = [view for view in listed if view not in all_views()]
    if unchecked:
        print("no reference yet, not cross-checked: %s" % ", ".join(unchecked))
    return ["`kazutama-cli views` does not list %s" % ", ".join(missing)] if missing else []


def close(expected, actual, path, rel_tol=1e-9):
    """Differences between JSON values, where the CLI's doubles may differ from exact fractions by rounding."""
    if isinstance(expected, (dict, list)):
        keys = sorted(expected) if isinstance(expected, dict) else list(range(len(expected)))
        if type(actual) is not type(expected) or (sorted(actual) if isinstance(actual, dict) else
                                                  list(range(len(actual)))) != keys:
            return ["%s: expected %d entries, CLI has %.200r" % (path, len(keys), actual)]
        return [line for key in keys for line in close(expected[key], actual[key], "%s[%r]" % (path, key), rel_tol)]
    if isinstance(expected, Fraction) or isinstance(actual, float):
        ok = type(actual) in (int, float) and math.isclose(actual, expected, rel_tol=rel_tol, abs_tol=1e-12)
    else:
        ok = type(expected) is type(actual) and expected == actual
    return [] if ok else ["%s: expected %r, CLI has %r" % (path, float(expected) if isinstance(
        expected, Fraction) else expected, actual)]


def csv_value(text):
    for convert in (int, float):
        try:
            return convert(text)
        except ValueError:
            pass
    return text


def check_backtest(cli, index, h, args):
    """JSON with --sweep, the CSV per draw and the sweep's CSV; with a random settings file and, for the
    first history, none. The reference's window is slow: a long history is swept at some shifts only."""
    db, rng, shifts = cli.import_history("h%d" % index, h), random.Random(index), backtest.all_shifts()
    if len(h) > 300:
        shifts = sorted({0, 92} | set(rng.sample(shifts, 10)))
    share = rng.random()
    runs = [{key: rng.random() < share for key in prediction.OPTION_KEYS}] + ([None] if index == 0 else [])
    lines, expected_sweep = [], None
    for options in runs:
        settings = ["--ini", cli.write("h%d.ini" % index, prediction.settings_text(options))] if options else []
        where = "with %s: " % (os.path.basename(settings[-1]) if settings else "no settings file")
        try:
            expected = backtest.backtest(h, options or {}, () if expected_sweep else shifts, max(1, len(h) // 4))
        except AssertionError as error:
            return [where + "the reference disagrees with itself: %s" % error]
        expected_sweep = expected_sweep or expected["sweep"]  # the same whatever the options
        actual = cli.json("backtest", db, "--sweep", *settings)
        found = close({k: expected[k] for k in ("draws", "methods")}, {k: actual.get(k) for k in ("draws", "methods")},
                      "")
        swept = actual.get("sweep") or []
        if [(r.get("shift"), prediction.compute_shift(r.get("options", {})), sorted(r.get("options", {})))
                for r in swept] != [(shift, shift, sorted(prediction.OPTION_KEYS)) for shift in backtest.all_shifts()]:
            found.append("sweep: expected the shifts 0..92 with options that give them, CLI has %.300r" % swept)
        found += close(expected_sweep, {r["shift"]: {k: r.get(k) for k in ("oneShot", "multiple")}
                                        for r in swept if r.get("shift") in expected_sweep}, "sweep")

        want_csv = [[d["draw"]] + (d["prediction"]["oneShot"] + [""] * 7)[:7] + d["mainHits"]["cycle"] +
                    [d["mainHits"][k] for k in ("elimination", "multiple", "oneShot")] + [d["tier"]["oneShot"] or ""]
                    for d in expected["draws"]]
        want_sweep = [[r["shift"], " ".join(k for k, on in r["options"].items() if on), r["oneShot"]["meanHits"],
                       r["oneShot"]["expectedMeanHits"], *r["oneShot"]["tiers"], r["multiple"]["meanHits"],
                       r["multiple"]["expectedMeanHits"]] for r in swept]
        # The sweep's CSV is compared with its JSON, once that has been found right.
        for name, want, extra in [("CSV", want_csv, [])] + ([] if found else [("sweep CSV", want_sweep, ["--sweep"])]):
            text = cli.run("backtest", db, "--format", "csv", *extra, *settings).splitlines()[1:]  # after the heading
            found += close(want, [[csv_value(field) for field in line.split(",")] for line in text], name)
        lines += [where + line for line in found]
    return lines[:REPORT_LIMIT]


def number_sets(h, rng, size, count):
    """Sets of `size` numbers: from the main numbers of a complete draw, from all nine of one (which hit with
    the bonus numbers, mostly not without), of numbers the history never draws (where there are enough),
    and seeded random ones."""
    draws = [n for _, n in search.complete_draws(h)]
    drawn = {x for _, n in h for x in n if x is not None}
    sets = []
    if draws:
        for held in (sorted(set(rng.choice(draws)[:7])), sorted(set(rng.choice(draws)))):
            sets.append(rng.sample(held, min(size, len(held))))
    never = sorted(set(range(1, 38)) - drawn)
    if len(never) >= size:
        sets.append(rng.sample(never, size))
    sets += [rng.sample(range(1, 38), size) for _ in range(count)]
    return [s for s in sets if s]


def check_search(cli, index, h, args):
    """JSON for one to seven numbers with and without the bonus numbers, typed in random order; the CSV of a
    few of them."""
    db, rng, lines = cli.import_history("h%d" % index, h), random.Random(index), []
    for size in range(1, 8):
        for numbers in number_sets(h, rng, size, 1):
            for with_bonus in (False, True):
                typed = [str(n) for n in rng.sample(numbers, len(numbers))]
                flags = ["--with-bonus"] if with_bonus else []
                expected = search.search(h, numbers, with_bonus)
                where = "search %s%s: " % (" ".join(typed), " --with-bonus" if with_bonus else "")
                lines += [where + line for line in close(expected, cli.json("search", db, *typed, *flags), "",
                                                         rel_tol=1e-12)]
                if size in (1, 3) and not with_bonus or size == 2 and with_bonus:
                    text = cli.run("search", db, *typed, *flags, "--format", "csv")
                    rows = [[d["draw"], *d["main"], *d["bonus"]] for d in expected["draws"]]
                    want = ",".join(history.HEADER) + "\n" + "".join(
                        ",".join(map(str, row)) + "\n" for row in rows)
                    if text != want:
                        lines.append(where + "CSV: expected %.200r, CLI has %.200r" % (want, text))
        if len(lines) >= REPORT_LIMIT:
            break
    return lines[:REPORT_LIMIT]


def check_check(cli, index, h, args):
    """Tickets that win each tier somewhere (a draw's main numbers with one or two of them swapped for a
    bonus number or another), of numbers never drawn, and seeded random ones."""
    db, rng = cli.import_history("h%d" % index, h), random.Random(1000 + index)
    tickets = [s for s in number_sets(h, rng, 7, 4) if len(s) == 7]
    for _, n in search.complete_draws(h)[-3:]:
        # A draw that holds a number twice (a mistyped one) gives fewer numbers to keep.
        main, others = sorted(set(n[:7])), [x for x in range(1, 38) if x not in n]
        bonus = sorted(set(n[7:]) - set(main))
        for kept, added in ((6, bonus[:1]), (6, []), (5, bonus[:1]), (4, []), (3, bonus), (3, [])):
            ticket = rng.sample(main, min(kept, len(main))) + added
            ticket += rng.sample(others, 7 - len(ticket))
            tickets.append(ticket)
    lines = []
    for ticket in tickets:
        typed = [str(n) for n in rng.sample(ticket, 7)]
        found = close(search.check(h, ticket), cli.json("check", db, *typed), "", rel_tol=1e-12)
        lines += ["check %s: %s" % (" ".join(typed), line) for line in found]
        if len(lines) >= REPORT_LIMIT:
            break
    return lines[:REPORT_LIMIT]


def generate_options(f):
    """The command-line options of the filters f."""
    options = []
    for name in generate.ORDER:
        if name in f and name != "pool":
            value = f[name]
            text = ",".join(map(str, value)) if name in ("include", "exclude") else (
                "%d-%d" % tuple(value) if isinstance(value, list) else str(value))
            options += ["--" + "".join("-" + c.lower() if c.isupper() else c for c in name), text]
    return options


def check_tickets(f, out, h, count, expected=None):
    """The tickets: as many as asked for or as pass, distinct, ascending, each passing every filter; the very
    tickets where the passing combinations are given."""
    draws = [n[:7] for _, n in search.complete_draws(h)]
    tickets, lines = out["tickets"], []
    if len(tickets) != min(count, out["passing"]):
        lines.append("%d tickets for %d passing" % (len(tickets), out["passing"]))
    if any(t != sorted(set(t)) or len(t) != 7 for t in tickets) or tickets != sorted(tickets) or len(
            set(map(tuple, tickets))) != len(tickets):
        lines.append("tickets not seven distinct numbers, or not ascending, or not distinct: %.200r" % tickets)
    for t in tickets:
        failing = [name for name in generate.ORDER if name in f and not generate.passes(
            name, f, t, draws[-1] if draws else [], [set(d) for d in draws])]
        if failing:
            lines.append("ticket %r fails %s" % (t, ", ".join(failing)))
    if expected is not None and tickets != expected:
        lines.append("tickets: expected %.200r, CLI has %.200r" % (expected, tickets))
    return lines


def check_generate(cli, index, h, args):
    """Every filter at once (the closest past match allowed as the history's length keeps the reference quick);
    no filter and small passing sets, whose tickets are reproduced; a pool of the prediction."""
    db, lines = cli.import_history("h%d" % index, h), []
    draws = len(search.complete_draws(h))
    most = 3 if draws <= 5 else 4 if draws <= 150 else 5
    options = {"連番飛び石分析Opt": True}
    ini = cli.write("h%d.ini" % index, prediction.settings_text(options))
    pool = prediction.PredictionEngine(h).predict(options)["multiple"]
    sets = [
        ({"include": [7], "exclude": [1, 2], "sum": [100, 160], "odd": [2, 5], "low": [3, 4],
          "consecutive": [0, 1], "stepping": [0, 2], "previous": [0, 1], "sameLastDigitMax": 2,
          "pastMatchMax": most}, None),
        ({}, lambda n: n),
        ({"include": [3, 14, 25, 36], "odd": [3, 5], "pastMatchMax": 6}, None),
        ({"pool": pool, "sum": [90, 180]}, None),
    ]
    for number, (f, _) in enumerate(sets):
        typed = generate_options(f) + (["--pool", "multiple", "--ini", ini] if "pool" in f else [])
        seed = str(1000 * index + number)
        out = cli.json("generate", db, *typed, "--seed", seed, "--count", "12")
        where = "generate %s: " % " ".join(typed)
        expected = generate.generate(h, f)
        if out.get("seed") != int(seed):
            lines.append(where + "seed %r" % out.get("seed"))
        lines += [where + line for line in close(expected, {k: out.get(k) for k in expected}, "", rel_tol=1e-7)]
        # The tickets themselves where the passing combinations can be listed, in lexicographic order.
        listed = None
        if not f:
            listed = [generate.combination_at(i) for i in generate.ticket_indices(generate.TOTAL, 12, int(seed))]
        elif "pool" in f or len(f.get("include", [])) >= 4:
            include = f.get("include", [])
            rest = sorted(set(f.get("pool", range(1, 38))) - set(include))
            previous = search.complete_draws(h)[-1][1][:7] if draws else []
            earlier = [set(n[:7]) for _, n in search.complete_draws(h)]
            passing = [c for c in (sorted(include + list(c)) for c in combinations(rest, 7 - len(include)))
                       if all(generate.passes(name, f, c, previous, earlier) for name in f)]
            passing.sort()
            listed = [passing[i] for i in generate.ticket_indices(len(passing), 12, int(seed))]
        lines += [where + line for line in check_tickets(f, out, h, 12, listed)]
        if len(lines) >= REPORT_LIMIT:
            break
    return lines[:REPORT_LIMIT]


CHECKS = {"summary": check_summary, "predict": check_predict, "tables": check_tables, "backtest": check_backtest,
          "search": check_search, "check": check_check, "generate": check_generate}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("check", choices=CHECKS)
    parser.add_argument("--cli", required=True, help="path of kazutama-cli")
    parser.add_argument("--sample", help="the sample history CSV")
    parser.add_argument("--case", action="append", help="check only this history (repeatable)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1, help="histories checked at once")
    parser.add_argument("--option-sets", type=int, default=30,
                        help="random option settings per history for predict, besides the fixed ones")
    args = parser.parse_args()

    make_cases = {"backtest": backtest.cases, "generate": generate.cases}.get(args.check, history.cases)
    cases = [(index, name, h) for index, (name, h) in enumerate(make_cases(args.sample))
             if not args.case or name in args.case]
    cli = Cli(args.cli)

    def run(case):
        index, name, h = case
        try:
            return name, h, CHECKS[args.check](cli, index, h, args)
        except CliFailure as error:
            return name, h, [str(error)]

    failed = 0
    try:
        report = check_view_list(cli) if args.check == "tables" else []
        if report:
            failed += 1
            print("FAIL " + "\n".join(report))
        with ThreadPoolExecutor(max(args.jobs, 1)) as pool:
            for name, h, lines in pool.map(run, cases):
                if not lines:
                    print("ok   %s" % name)
                    continue
                failed += 1
                cli.keep = True
                print("FAIL %s\n%s" % (name, history.describe(h)))
                print("\n".join("  " + line for line in lines[:REPORT_LIMIT]))
    finally:
        cli.close()
    print("%s: %d failure(s) over %d histories" % (args.check, failed, len(cases)) if failed else
          "%s: all %d histories agree" % (args.check, len(cases)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
