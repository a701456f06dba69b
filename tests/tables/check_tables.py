#!/usr/bin/env python3
"""Compares the tables printed by `kazutama-cli table` with the plain-Python builders in views/.

For every history (the sample file and generated ones) the history is imported into a fresh database,
each view with a reference builder is printed as JSON, and the extent, caption and every cell's text,
text colour and background are compared. Exits 1 with a report of the differences.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import histories  # noqa: E402
from history import Summary, read_csv, to_csv  # noqa: E402
from views import all_views  # noqa: E402


class Failure(Exception):
    pass


def run_cli(cli, args):
    try:
        proc = subprocess.run([cli] + args, capture_output=True, timeout=120)
    except FileNotFoundError:
        raise Failure("kazutama-cli not found at %s" % cli)
    except subprocess.TimeoutExpired:
        raise Failure("`kazutama-cli %s` did not finish within 120 s" % " ".join(args))
    out = proc.stdout.decode("utf-8", "replace")
    err = proc.stderr.decode("utf-8", "replace")
    if proc.returncode != 0:
        raise Failure("`kazutama-cli %s` exited with %d\n  stdout: %s\n  stderr: %s"
                      % (" ".join(args), proc.returncode, out.strip()[:500], err.strip()[:500]))
    return out


def check_view_list(cli, views):
    listed = [line.strip() for line in run_cli(cli, ["views"]).splitlines() if line.strip()]
    missing = [name for name in views if name not in listed]
    if missing:
        raise Failure("`kazutama-cli views` does not list %s (it lists: %s)"
                      % (", ".join(missing), ", ".join(listed) or "nothing"))
    unchecked = [name for name in listed if name not in views]
    if unchecked:
        print("No reference builder yet, not cross-checked: %s" % ", ".join(unchecked))


def probe_table_command(cli, views, workdir):
    """Fails once, clearly, when the CLI cannot print a table at all, instead of once per history."""
    csv_path = os.path.join(workdir, "probe.csv")
    db_path = os.path.join(workdir, "probe.db")
    with open(csv_path, "w", encoding="utf-8") as f:
        f.write(to_csv([]))
    run_cli(cli, ["import", db_path, csv_path])
    for view in views:
        try:
            cli_table(cli, db_path, view)
        except Failure as e:
            raise Failure("the `table` command is missing or fails on an empty history:\n%s" % e)


def cli_table(cli, db, view):
    out = run_cli(cli, ["table", db, view, "--format", "json"])
    try:
        return json.loads(out)
    except ValueError as e:
        raise Failure("`kazutama-cli table %s` printed no valid JSON (%s): %s" % (view, e, out[:300]))


def compare(view, module, expected, actual, limit):
    """Returns a list of readable differences between a reference table and the CLI's JSON."""
    diffs = []
    for key, want in (("view", view), ("caption", module.CAPTION),
                      ("columns", expected.columns), ("rows", expected.rows)):
        if actual.get(key) != want:
            diffs.append("%s: expected %r, CLI has %r" % (key, want, actual.get(key)))
    if any(d.startswith(("columns", "rows")) for d in diffs):
        return diffs

    got = {}
    for cell in actual.get("cells", []):
        key = (cell.get("col"), cell.get("row"))
        if key in got:
            diffs.append("cell %s listed twice" % (key,))
        got[key] = (cell.get("text", ""), cell.get("fg"), cell.get("bg"))
        if not (1 <= key[0] <= expected.columns and 1 <= key[1] <= expected.rows):
            diffs.append("cell %s lies outside the %dx%d extent" % (key, expected.columns, expected.rows))

    want_cells = expected.cells()
    for row in range(1, expected.rows + 1):
        for col in range(1, expected.columns + 1):
            want = want_cells.get((col, row), ("", None, None))
            have = got.get((col, row), ("", None, None))
            if want != have:
                parts = []
                for label, w, h in zip(("text", "fg", "bg"), want, have):
                    if w != h:
                        parts.append("%s expected %r, CLI %r" % (label, w, h))
                diffs.append("cell (col %d, row %d): %s" % (col, row, "; ".join(parts)))
            if len(diffs) >= limit:
                return diffs
    return diffs


def check_history(cli, name, seed, history, views, workdir, limit):
    """Returns the report lines for one history (empty when everything agrees)."""
    csv_path = os.path.join(workdir, "history.csv")
    db_path = os.path.join(workdir, "history-%s.db" % name)
    with open(csv_path, "w", encoding="utf-8") as f:
        f.write(to_csv(history))
    if os.path.exists(db_path):
        os.remove(db_path)
    run_cli(cli, ["import", db_path, csv_path])

    summary = Summary(history)
    report = []
    for view, module in views.items():
        expected = module.build(history, summary)
        try:
            actual = cli_table(cli, db_path, view)
            diffs = compare(view, module, expected, actual, limit)
        except Failure as e:
            diffs = [str(e)]
        if diffs:
            seed_text = "" if seed is None else ", seed %d" % seed
            report.append("%s on history '%s'%s (%d draws, LatestDrawNumber %d, MaxCount %d):"
                          % (view, name, seed_text, len(history), summary.latest_draw_number,
                             summary.max_count))
            report.extend("  " + d for d in diffs[:limit])
    os.remove(db_path)
    return report


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True, help="path of kazutama-cli")
    parser.add_argument("--sample", help="the sample history CSV")
    parser.add_argument("--view", action="append", help="check only this window name (repeatable)")
    parser.add_argument("--case", action="append", help="check only this generated history (repeatable)")
    parser.add_argument("--limit", type=int, default=20, help="differences reported per table")
    parser.add_argument("--dump", metavar="DIR", help="also keep the generated CSV files in DIR")
    args = parser.parse_args()

    views = all_views()
    if args.view:
        unknown = [v for v in args.view if v not in views]
        if unknown:
            parser.error("no reference builder for %s" % ", ".join(unknown))
        views = {v: views[v] for v in args.view}

    cases = []
    if args.sample and not args.case:
        cases.append(("sample", None, read_csv(args.sample)))
    for name, seed, history in histories.cases():
        if not args.case or name in args.case:
            cases.append((name, seed, history))

    report = []
    try:
        check_view_list(args.cli, views)
    except Failure as e:
        report.append(str(e))

    with tempfile.TemporaryDirectory(prefix="kazutama-tables-") as workdir:
        try:
            probe_table_command(args.cli, views, workdir)
        except Failure as e:
            print("\n".join(report + [str(e)]))
            return 1
        for name, seed, history in cases:
            if args.dump:
                os.makedirs(args.dump, exist_ok=True)
                with open(os.path.join(args.dump, name + ".csv"), "w", encoding="utf-8") as f:
                    f.write(to_csv(history))
            try:
                report.extend(check_history(args.cli, name, seed, history, views, workdir, args.limit))
            except Failure as e:
                report.append("history '%s': %s" % (name, e))

    checked = "%d views x %d histories" % (len(views), len(cases))
    if report:
        print("Tables differ from the reference (%s):" % checked)
        print("\n".join(report))
        print("To look at one history: %s --cli CLI --case NAME --dump DIR (writes NAME.csv into DIR)"
              % os.path.basename(sys.argv[0]))
        return 1
    print("All tables agree with the reference (%s: %s)" % (checked, ", ".join(views)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
