"""Cross-checks `kazutama-cli summary` against the reference start-up summary."""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import histories as h  # noqa: E402
import reference as ref  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True, help="path of kazutama-cli")
    parser.add_argument("--sample", help="the sample history CSV")
    args = parser.parse_args()

    failures = 0
    workspace = h.Workspace("kazutama-oracle-summary-")
    try:
        for index, (name, seed, history) in enumerate(h.scenarios(args.sample)):
            label = f"{name} (seed {seed})" if seed is not None else name
            try:
                db = h.import_history(args.cli, workspace, f"h{index}", history)
                actual = h.cli_json(args.cli, ["summary", db], workspace.path)
            except h.CliError as error:
                failures += 1
                print(f"FAIL {label}: {error}")
                continue
            expected = ref.startup_summary(history)
            lines = h.diff(expected, actual)
            if lines:
                failures += 1
                workspace.keep = True
                print(f"FAIL {label}: summary differs (database {db})")
                print(h.describe_history(history))
                print("\n".join("  " + line for line in lines))
            else:
                print(f"ok   {label}")
    finally:
        workspace.close()
    if failures:
        print(f"{failures} history(ies) disagree")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
