"""Plain-Python model of the start-up summary and the prediction engine.

It is written separately from the C++ code and kept deliberately simple (straight loops, the
backwards search done draw by draw) so that the two can be compared on the same histories.

A history is a list of (draw_number, numbers) pairs in ascending draw-number order, where numbers
is a list of nine entries (seven main numbers, then the two bonus numbers); an entry is None where
the number has not been entered.
"""

NUMBER_COUNT = 37
BALLS = 9
MAIN_BALLS = 7
WINDOW_BALLS = 8

OPTION_KEYS = [
    "頻度分析Opt",
    "間隔分析Opt",
    "出現回数分析Opt",
    "バラツキ分析Opt",
    "引っ張り分析Opt",
    "連番飛び石分析Opt",
    "数字合計分析Opt",
    "組合せパターン分析Opt",
    "5分割傾向分析Opt",
    "分割データ分析Opt",
    "下一桁出現傾向分析Opt",
    "下一桁連続出現回数分析Opt",
]

OPTION_WEIGHTS = {
    "頻度分析Opt": 1,
    "間隔分析Opt": 15,
    "出現回数分析Opt": 6,
    "バラツキ分析Opt": 9,
    "引っ張り分析Opt": 10,
    "連番飛び石分析Opt": 4,
    "数字合計分析Opt": 8,
    "組合せパターン分析Opt": 2,
    "5分割傾向分析Opt": 11,
    "分割データ分析Opt": 7,
    "下一桁出現傾向分析Opt": 16,
    "下一桁連続出現回数分析Opt": 3,
}

CYCLE_LENGTHS = [7, 9, 11, 12]

# (draws back, ball position, value to add)
ELIMINATION_RECIPE = [
    (4, 1, 22), (5, 2, 16), (5, 3, 17), (9, 4, 24), (9, 5, 32), (12, 6, 1), (12, 7, 12),
    (5, 1, 22), (6, 2, 16), (6, 3, 17), (10, 4, 24), (13, 5, 32), (16, 6, 1), (16, 7, 12),
    (6, 1, 22), (7, 2, 16), (7, 3, 17), (11, 4, 24), (14, 5, 32), (17, 6, 1), (17, 7, 12),
]

MULTIPLE_LIMIT = 14
ONE_SHOT_LIMIT = 7


def is_complete(numbers):
    return all(n is not None and n != "" for n in numbers)


def complete_records(history):
    return [(d, list(nums)) for d, nums in history if is_complete(nums)]


# ---------------------------------------------------------------------------------------------
# Start-up summary
# ---------------------------------------------------------------------------------------------

def startup_summary(history):
    """Returns the summary as the dict the CLI prints."""
    counts = [0] * (NUMBER_COUNT + 1)
    result = {
        "latestDrawNumber": 0,
        "maxCount": 0,
        "groupRowCount": 0,
        "numberCounts": counts,
        "countGroups": [""],
    }
    # The summary only runs when the history holds at least one row, complete or not.
    if len(history) == 0:
        return result

    latest = 0
    for draw_number, numbers in history:
        if not is_complete(numbers):
            continue
        for n in numbers:
            if 1 <= n <= NUMBER_COUNT:
                counts[n] += 1
        latest = draw_number

    max_count = 0
    group_rows = 1
    groups = [""]
    for n in range(1, NUMBER_COUNT + 1):
        c = counts[n]
        if c > max_count:
            max_count = c
            groups.extend([""] * (c + 1 - len(groups)))
        if groups[c] == "":
            groups[c] = str(n)
            group_rows += 1
        else:
            groups[c] += "," + str(n)

    result["latestDrawNumber"] = latest
    result["maxCount"] = max_count
    result["groupRowCount"] = group_rows
    result["countGroups"] = groups
    return result


# ---------------------------------------------------------------------------------------------
# Prediction engine
# ---------------------------------------------------------------------------------------------

def compute_shift(options):
    """options: dict key -> bool (missing keys are off)."""
    return sum(OPTION_WEIGHTS[key] for key in OPTION_KEYS if options.get(key, False))


def wrap_number(v):
    if v >= 38:
        return v - 37
    if v <= 0:
        return v + 37
    return v


class PredictionEngine:
    def __init__(self, history):
        self.complete = complete_records(history)
        self.latest = self.complete[-1][0] if self.complete else 0
        # draw number -> nine numbers; absent draws read as all zeros
        self.table = {}
        self.cycle = [[""] * (BALLS + 1) for _ in CYCLE_LENGTHS]  # index 0 unused
        self._fill()

    def cell(self, d, p):
        row = self.table.get(d)
        if row is None or d < 1:
            return 0
        return row[p - 1]

    def _fill(self):
        for d, numbers in self.complete:
            self.table[d] = list(numbers)
            for k in range(1, BALLS + 1):
                n = numbers[k - 1]
                found = None
                i = d - 1
                while i >= 1:
                    row = self.table.get(i)
                    if row is not None and n in row[:MAIN_BALLS]:
                        found = i
                        break
                    i -= 1
                if found is None:
                    continue
                gap = d - found
                if gap not in CYCLE_LENGTHS:
                    continue
                cells = self.cycle[CYCLE_LENGTHS.index(gap)]
                text = str(n)
                if any(cells[j] == text for j in range(1, WINDOW_BALLS + 1) if j != k):
                    continue
                cells[k] = text

    def cycle_rows(self):
        return [[cells[p] for p in range(1, MAIN_BALLS + 1)] for cells in self.cycle]

    def elimination(self, shift):
        texts = []
        result = []
        for back, position, add in ELIMINATION_RECIPE:
            d = self.latest - back - shift
            v = self.cell(d, position) + add
            text = str(wrap_number(v))
            if text not in texts:
                result.append(int(text))
            texts.append(text)
        return result

    def window_candidates(self, shift, limit):
        w0 = self.latest - 1 - shift
        window = [w0, w0 - 1, w0 - 2, w0 - 3]
        cells = {}
        for m, w in enumerate(window):
            for p in range(1, WINDOW_BALLS + 1):
                cells[(m, p)] = self.cell(w, p)
        found = []
        for m in range(4):
            for p in range(1, WINDOW_BALLS + 1):
                n = cells[(m, p)]
                if n == 0:
                    break
                if any(v == n for key, v in cells.items() if key != (m, p)):
                    continue
                found.append(n)
                if len(found) >= limit:
                    return found
        return found

    def predict(self, options):
        shift = compute_shift(options)
        return {
            "shift": shift,
            "cycle": self.cycle_rows(),
            "elimination": self.elimination(shift),
            "multiple": self.window_candidates(shift, MULTIPLE_LIMIT),
            "oneShot": self.window_candidates(shift, ONE_SHOT_LIMIT),
        }


# ---------------------------------------------------------------------------------------------
# Files
# ---------------------------------------------------------------------------------------------

CSV_HEADER = "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2"


def history_to_csv(history):
    lines = [CSV_HEADER]
    for d, numbers in history:
        lines.append(",".join([str(d)] + ["" if n is None else str(n) for n in numbers]))
    return "\n".join(lines) + "\n"


def read_csv(path):
    history = []
    with open(path, encoding="utf-8-sig") as f:
        rows = f.read().splitlines()
    for line in rows[1:]:
        if not line.strip():
            continue
        fields = line.split(",")
        numbers = [int(x) if x.strip() else None for x in fields[1:10]]
        numbers += [None] * (9 - len(numbers))
        history.append((int(fields[0]), numbers))
    history.sort(key=lambda r: r[0])
    return history


def settings_text(options):
    return "".join(f"{key}={'True' if options.get(key, False) else 'False'}\r\n" for key in OPTION_KEYS)
