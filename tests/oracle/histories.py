"""Test histories and the plumbing shared by the CLI cross-checks: write a history as CSV, import it
with kazutama-cli into a fresh database, run a command and read its JSON."""

import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import reference as ref  # noqa: E402

MAX_DRAW_NUMBER = 32760


def random_draw(rng, pool=None, repeats=False):
    pool = pool or list(range(1, 38))
    if repeats:
        return [rng.choice(pool) for _ in range(9)]
    if len(pool) >= 9:
        return rng.sample(pool, 9)
    return [rng.choice(pool) for _ in range(9)]


def blank_some(rng, numbers):
    """Leaves one or more fields empty, as for a draw that is not fully entered."""
    numbers = list(numbers)
    how = rng.randrange(4)
    if how == 0:
        return [None] * 9
    if how == 1:
        numbers[8] = None  # only the second bonus number missing
        return numbers
    for index in rng.sample(range(9), rng.randint(1, 4)):
        numbers[index] = None
    return numbers


def make_history(seed, length, incomplete=0.0, incomplete_tail=0, gaps=0.0, max_gap=1, start=1,
                 pool=None, repeats=0.0):
    """A random history: `length` rows, draw numbers from `start` with random gaps of up to
    `max_gap`, a share `incomplete` of incomplete rows, the last `incomplete_tail` rows incomplete,
    and a share `repeats` of draws that may repeat a number."""
    rng = random.Random(seed)
    history = []
    d = start
    for row in range(length):
        if row > 0:
            d += rng.randint(2, max_gap) if rng.random() < gaps else 1
        if d > MAX_DRAW_NUMBER:
            break
        numbers = random_draw(rng, pool, rng.random() < repeats)
        if rng.random() < incomplete or row >= length - incomplete_tail:
            numbers = blank_some(rng, numbers)
        history.append((d, numbers))
    return history


def high_numbers_history(seed):
    """A few early draws, then a run of draws numbered up to the highest allowed draw number."""
    rng = random.Random(seed)
    history = [(d, random_draw(rng)) for d in range(1, 6)]
    d = MAX_DRAW_NUMBER - 60
    while d <= MAX_DRAW_NUMBER:
        history.append((d, random_draw(rng, list(range(1, 16)))))
        d += rng.choice([1, 1, 1, 2, 3])
    if history[-1][0] != MAX_DRAW_NUMBER:
        history.append((MAX_DRAW_NUMBER, random_draw(rng, list(range(1, 16)))))
    return history


def periodic_history(seed, length, mutate=0.2, incomplete=0.0):
    """Draws that repeat with a period of 7, 9, 11 or 12 (changing every few dozen draws), their
    numbers reshuffled among the positions each time: numbers keep coming back after exactly a
    cycle length, often at another position, so the cycle rows fill up and collide."""
    rng = random.Random(seed)
    history = []
    period = rng.choice(ref.CYCLE_LENGTHS)
    templates = [random_draw(rng) for _ in range(period)]
    for d in range(1, length + 1):
        if d % 30 == 0:
            period = rng.choice(ref.CYCLE_LENGTHS)
            templates = (templates + [random_draw(rng) for _ in range(12)])[:period]
        numbers = list(templates[d % period])
        rng.shuffle(numbers)
        if rng.random() < mutate:
            numbers[rng.randrange(9)] = rng.randint(1, 37)
        if rng.random() < incomplete:
            numbers = blank_some(rng, numbers)
        history.append((d, numbers))
    return history


def scenarios(sample_path):
    """(name, seed or None, history) triples."""
    out = []
    if sample_path:
        out.append(("sample history", None, ref.read_csv(sample_path)))
    out.append(("empty", None, []))
    for length, seed in [(1, 101), (5, 102), (17, 103), (18, 104), (25, 105), (200, 106), (700, 107)]:
        out.append((f"random {length} draws", seed, make_history(seed, length)))
    out += [
        ("only incomplete rows", 201, make_history(201, 6, incomplete=1.0)),
        ("incomplete rows, last draw incomplete (25)", 202,
         make_history(202, 25, incomplete=0.15, incomplete_tail=1)),
        ("incomplete rows, last three incomplete (200)", 203,
         make_history(203, 200, incomplete=0.1, incomplete_tail=3)),
        ("gaps in draw numbers (40)", 301, make_history(301, 40, gaps=0.3, max_gap=6)),
        ("gaps in draw numbers (300)", 302, make_history(302, 300, gaps=0.2, max_gap=9)),
        ("gaps and incomplete rows (150)", 303,
         make_history(303, 150, incomplete=0.1, incomplete_tail=2, gaps=0.25, max_gap=5)),
        ("late start (60 draws from 500)", 304, make_history(304, 60, start=500)),
        ("draw numbers up to 32760", 305, high_numbers_history(305)),
        ("repeated numbers within draws (200)", 401, make_history(401, 200, repeats=0.5)),
        ("small pool 1..9 (120)", 402, make_history(402, 120, pool=list(range(1, 10)))),
        ("small pool 1..12, repeats (300)", 403, make_history(403, 300, pool=list(range(1, 13)), repeats=0.3)),
        ("small pool 30..37, repeats, incomplete (80)", 404,
         make_history(404, 80, pool=list(range(30, 38)), repeats=1.0, incomplete=0.1, incomplete_tail=1)),
        ("periodic draws (150)", 501, periodic_history(501, 150)),
        ("periodic draws, often changed (300)", 502, periodic_history(502, 300, mutate=0.6)),
        ("periodic draws, incomplete rows (100)", 503, periodic_history(503, 100, incomplete=0.1)),
    ]
    return out


class Workspace:
    """A temporary folder; kept (and reported) when a check fails."""

    def __init__(self, prefix):
        self.path = tempfile.mkdtemp(prefix=prefix)
        self.keep = False

    def file(self, name):
        return os.path.join(self.path, name)

    def close(self):
        if self.keep:
            print(f"files kept in {self.path}")
        else:
            shutil.rmtree(self.path, ignore_errors=True)


class CliError(Exception):
    pass


def run_cli(cli, args, cwd):
    proc = subprocess.run([cli] + args, cwd=cwd, capture_output=True, timeout=120)
    if proc.returncode != 0:
        raise CliError(f"kazutama-cli {' '.join(args)} exited with {proc.returncode}:\n"
                       f"{proc.stderr.decode('utf-8', 'replace')}")
    return proc.stdout.decode("utf-8")


def import_history(cli, workspace, name, history):
    csv_path = workspace.file(f"{name}.csv")
    db_path = workspace.file(f"{name}.db")
    with open(csv_path, "w", encoding="utf-8", newline="") as f:
        f.write(ref.history_to_csv(history))
    run_cli(cli, ["import", db_path, csv_path], workspace.path)
    return db_path


def cli_json(cli, args, cwd):
    text = run_cli(cli, args, cwd)
    try:
        return json.loads(text)
    except json.JSONDecodeError as error:
        raise CliError(f"kazutama-cli {' '.join(args)} printed no valid JSON ({error}):\n{text}")


def diff(expected, actual, path=""):
    """Human-readable differences between two JSON values."""
    lines = []
    if isinstance(expected, dict) and isinstance(actual, dict):
        for key in list(expected) + [k for k in actual if k not in expected]:
            if key not in actual:
                lines.append(f"{path}.{key}: missing in program output (expected {json.dumps(expected[key], ensure_ascii=False)})")
            elif key not in expected:
                lines.append(f"{path}.{key}: unexpected key in program output")
            else:
                lines += diff(expected[key], actual[key], f"{path}.{key}")
    elif isinstance(expected, list) and isinstance(actual, list) and len(expected) == len(actual) \
            and any(isinstance(x, list) for x in expected):
        for i, (e, a) in enumerate(zip(expected, actual)):
            lines += diff(e, a, f"{path}[{i}]")
    elif expected != actual or type(expected) is not type(actual):
        e = json.dumps(expected, ensure_ascii=False)
        a = json.dumps(actual, ensure_ascii=False)
        if isinstance(expected, list) and isinstance(actual, list):
            where = [i for i, (x, y) in enumerate(zip(expected, actual)) if x != y or type(x) is not type(y)]
            first = where[0] if where else min(len(expected), len(actual))
            lines.append(f"{path}: first difference at index {first}")
        lines.append(f"{path}: expected {e}")
        lines.append(f"{path}:   actual {a}")
    return lines


def describe_history(history, limit=12):
    lines = [f"  {len(history)} rows"]
    shown = history if len(history) <= limit else history[:4] + [None] + history[-(limit - 5):]
    for row in shown:
        if row is None:
            lines.append("  ...")
        else:
            d, numbers = row
            lines.append("  " + ",".join([str(d)] + ["" if n is None else str(n) for n in numbers]))
    return "\n".join(lines)
