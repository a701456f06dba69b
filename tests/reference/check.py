#!/usr/bin/env python3
"""Cross-checks kazutama-cli against the reference models, over the sample history and generated ones.

    check.py summary|predict|tables|backtest --cli PATH [--sample CSV] [--case NAME ...] [--jobs N]

Each history is imported into a fresh database, and the output of `summary`, of `predict` over many
option settings (given through settings files, as the program reads them) or of `table` for every view
with a reference builder (cell by cell: text, text colour, background) is compared with the reference;
`backtest` (JSON with --sweep, and both CSVs) runs over a few shorter histories of its own.
Exits 1 with a report of the differences; the files of a failing history (its CSV, database and settings
files) are kept in the temporary folder the report names.
"""

import argparse
import math
import os
import random
import sys
from concurrent.futures import ThreadPoolExecutor
from fractions import Fraction

import backtest
import history
import prediction
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


def close(expected, actual, path):
    """Differences between JSON values where expected Fractions may differ from the CLI's doubles by rounding."""
    if isinstance(expected, dict):
        if not isinstance(actual, dict) or set(expected) != set(actual):
            return ["%s: expected the keys %s, CLI has %r" % (path, sorted(expected), actual)]
        return [line for key in expected for line in close(expected[key], actual[key], "%s.%s" % (path, key))]
    if isinstance(expected, list):
        if not isinstance(actual, list) or len(expected) != len(actual):
            return ["%s: expected %d values, CLI has %r" % (path, len(expected), actual)]
        return [line for i, (e, a) in enumerate(zip(expected, actual)) for line in close(e, a, "%s[%d]" % (path, i))]
    if isinstance(expected, Fraction) or isinstance(actual, float):
        ok = isinstance(actual, (int, float)) and not isinstance(actual, bool) and math.isclose(
            actual, expected, rel_tol=1e-9, abs_tol=1e-12)
    else:
        ok = type(expected) is type(actual) and expected == actual
    shown = float(expected) if isinstance(expected, Fraction) else expected
    return [] if ok else ["%s: expected %r, CLI has %r" % (path, shown, actual)]


def check_backtest(cli, index, h, args):
    db = cli.import_history("h%d" % index, h)
    rng = random.Random(index)
    shifts = backtest.all_shifts()
    if len(h) > 300:  # the reference's window is slow: a long history is swept at some shifts only
        shifts = sorted({0, shifts[-1]} | set(rng.sample(shifts, 10)))
    share = rng.random()
    runs = [({key: rng.random() < share for key in prediction.OPTION_KEYS}, True)]
    if index == 0:
        runs.append(({}, False))  # no settings file: all options off
    lines, expected_sweep = [], None
    for options, named in runs:
        settings = ["--ini", cli.write("h%d.ini" % index, prediction.settings_text(options))] if named else []
        # The sweep does not depend on the options: worked out with the first run only.
        where = "with %s (shift %d): " % ("h%d.ini" % index if named else "no settings file",
                                        prediction.compute_shift(options))
        try:
            expected = backtest.backtest(h, options, () if expected_sweep else shifts,
                                         fresh_every=max(1, len(h) // 4))
        except AssertionError as error:
            return [where + "the reference disagrees with itself: %s" % error]
        expected_sweep = expected_sweep or expected["sweep"]
        actual = cli.json("backtest", db, "--sweep", *settings)

        found = close(expected["draws"], actual.get("draws"), "draws") + close(
            expected["methods"], actual.get("methods"), "methods")
        swept = actual.get("sweep", [])
        if [row.get("shift") for row in swept] != backtest.all_shifts():
            found.append("sweep: expected the shifts %s, CLI has %s" % (backtest.all_shifts(),
                                                                       [row.get("shift") for row in swept]))
        for row in swept:
            options_given = row.get("options", {})
            if sorted(options_given) != sorted(prediction.OPTION_KEYS) or \
                    prediction.compute_shift(options_given) != row.get("shift"):
                found.append("sweep: the options %r do not give the shift %r" % (options_given, row.get("shift")))
            if row.get("shift") in expected_sweep:
                found += close(expected_sweep[row["shift"]], {k: row.get(k) for k in ("oneShot", "multiple")},
                               "sweep[shift %d]" % row["shift"])

        csv_text = cli.run("backtest", db, "--format", "csv", *settings).splitlines()
        if not csv_text or len(csv_text[0].split(",")) != 16:
            found.append("CSV: no heading of 16 fields: %r" % csv_text[:1])
        found += close(backtest.csv_lines(expected), [line.split(",") for line in csv_text[1:]], "CSV")

        sweep_csv = [line.split(",") for line in cli.run("backtest", db, "--format", "csv", "--sweep",
                                                         *settings).splitlines()[1:]]
        number = lambda text: int(text) if text.isdigit() else float(text)  # noqa: E731
        try:
            from_json = [[row["shift"], sorted(key for key, on in row["options"].items() if on),
                          row["oneShot"]["meanHits"], row["oneShot"]["expectedMeanHits"], *row["oneShot"]["tiers"],
                          row["multiple"]["meanHits"], row["multiple"]["expectedMeanHits"]] for row in swept]
            from_csv = [[int(f[0]), sorted(f[1].split())] + [number(v) for v in f[2:]] for f in sweep_csv]
            found += close(from_json, from_csv, "sweep CSV")
        except (KeyError, TypeError, ValueError, IndexError) as error:
            found.append("sweep CSV: does not read like the JSON's sweep (%r)" % error)
        lines += [where + line for line in found]
        if len(lines) >= REPORT_LIMIT:
            break
    return lines


CHECKS = {"summary": check_summary, "predict": check_predict, "tables": check_tables, "backtest": check_backtest}


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

    make_cases = backtest.cases if args.check == "backtest" else history.cases
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
