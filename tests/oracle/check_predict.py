"""Cross-checks `kazutama-cli predict` against the reference prediction engine, over many
histories and option settings (given through a settings file, as the program reads them)."""

import argparse
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import histories as h  # noqa: E402
import reference as ref  # noqa: E402

def option_sets(rng, random_sets):
    sets = [{}, {key: True for key in ref.OPTION_KEYS}]
    sets += [{key: True} for key in ref.OPTION_KEYS]
    for _ in range(random_sets):
        sets.append({key: rng.random() < 0.5 for key in ref.OPTION_KEYS})
    return sets


def settings_file_text(options, rng, plain):
    """The settings file for these options: as the program writes it (plain), or varied the ways
    a hand-edited file may be: keys in another order, keys left out (false), values in another
    letter case or as numbers."""
    if plain:
        return ref.settings_text(options)
    keys = list(ref.OPTION_KEYS)
    rng.shuffle(keys)
    lines = []
    for key in keys:
        on = options.get(key, False)
        if not on and rng.random() < 0.3:
            continue
        value = rng.choice(["True", "true", "TRUE", "-1", "1"] if on else ["False", "false", "FALSE", "0"])
        lines.append(f"{key}={value}")
    return "".join(line + "\r\n" for line in lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True, help="path of kazutama-cli")
    parser.add_argument("--sample", help="the sample history CSV")
    parser.add_argument("--random-option-sets", type=int, default=50,
                        help="random option settings per history, besides all off, all on and each alone")
    args = parser.parse_args()

    failures = 0
    runs = 0
    workspace = h.Workspace("kazutama-oracle-predict-")
    try:
        for index, (name, seed, history) in enumerate(h.scenarios(args.sample)):
            label = f"{name} (seed {seed})" if seed is not None else name
            rng = random.Random(1000 + index if seed is None else seed * 7 + 1)
            try:
                db = h.import_history(args.cli, workspace, f"h{index}", history)
            except h.CliError as error:
                failures += 1
                print(f"FAIL {label}: {error}")
                continue
            engine = ref.PredictionEngine(history)
            bad = 0
            for number, options in enumerate(option_sets(rng, args.random_option_sets)):
                ini = workspace.file(f"h{index}-{number}.ini")
                text = settings_file_text(options, rng, plain=number % 2 == 0)
                with open(ini, "w", encoding="utf-8", newline="") as f:
                    f.write(text)
                expected = engine.predict(options)
                runs += 1
                try:
                    actual = h.cli_json(args.cli, ["predict", db, "--ini", ini], workspace.path)
                except h.CliError as error:
                    bad += 1
                    print(f"FAIL {label}: {error}")
                    continue
                lines = h.diff(expected, actual)
                if lines:
                    bad += 1
                    workspace.keep = True
                    if bad <= 3:
                        on = [key for key in ref.OPTION_KEYS if options.get(key)]
                        print(f"FAIL {label}: prediction differs (database {db}, settings {ini})")
                        print(f"  options on: {', '.join(on) if on else 'none'} (shift {expected['shift']})")
                        if bad == 1:
                            print(h.describe_history(history))
                        print("\n".join("  " + line for line in lines))
                else:
                    os.remove(ini)
            if bad:
                failures += 1
                print(f"FAIL {label}: {bad} option setting(s) disagree")
            else:
                print(f"ok   {label}")
    finally:
        workspace.close()
    print(f"{runs} predictions compared")
    if failures:
        print(f"{failures} history(ies) disagree")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
