"""The prediction engine: cycle rows, elimination, and the window's multiple and one-shot predictions.

Kept deliberately literal (the backward search is done draw by draw) so that it shares no shortcut with
the program.
"""

from history import is_complete

OPTION_KEYS = ["頻度分析Opt", "間隔分析Opt", "出現回数分析Opt", "バラツキ分析Opt", "引っ張り分析Opt",
               "連番飛び石分析Opt", "数字合計分析Opt", "組合せパターン分析Opt", "5分割傾向分析Opt",
               "分割データ分析Opt", "下一桁出現傾向分析Opt", "下一桁連続出現回数分析Opt"]
OPTION_WEIGHTS = dict(zip(OPTION_KEYS, [1, 15, 6, 9, 10, 4, 8, 2, 11, 7, 16, 3]))
CYCLE_LENGTHS = [7, 9, 11, 12]
# (draws back, ball position, value to add)
ELIMINATION_RECIPE = [
    (4, 1, 22), (5, 2, 16), (5, 3, 17), (9, 4, 24), (9, 5, 32), (12, 6, 1), (12, 7, 12),
    (5, 1, 22), (6, 2, 16), (6, 3, 17), (10, 4, 24), (13, 5, 32), (16, 6, 1), (16, 7, 12),
    (6, 1, 22), (7, 2, 16), (7, 3, 17), (11, 4, 24), (14, 5, 32), (17, 6, 1), (17, 7, 12),
]
MULTIPLE_LIMIT = 14
ONE_SHOT_LIMIT = 7
WINDOW_BALLS = 8


def compute_shift(options):
    """options: {key: bool}; missing keys are off."""
    return sum(OPTION_WEIGHTS[key] for key in OPTION_KEYS if options.get(key, False))


def wrap_number(v):
    if v >= 38:
        return v - 37
    if v <= 0:
        return v + 37
    return v


class PredictionEngine:
    def __init__(self, history):
        complete = [(d, list(numbers)) for d, numbers in history if is_complete(numbers)]
        self.latest = complete[-1][0] if complete else 0
        self.table = {}  # draw number -> nine numbers; draws not stored read as zeros
        self.cycle = [[""] * 10 for _ in CYCLE_LENGTHS]  # ball positions 1..9; index 0 unused
        for d, numbers in complete:
            self._fill(d, numbers)

    def cell(self, d, p):
        row = self.table.get(d)
        return row[p - 1] if row else 0

    def _fill(self, d, numbers):
        earlier = sorted(self.table, reverse=True)  # draws are stored in ascending order: all before d
        self.table[d] = numbers
        for k in range(1, 10):
            n = numbers[k - 1]
            i = next((i for i in earlier if n in self.table[i][:7]), None)
            if i is None or d - i not in CYCLE_LENGTHS:
                continue
            cells = self.cycle[CYCLE_LENGTHS.index(d - i)]
            if all(cells[j] != str(n) for j in range(1, 9) if j != k):
                cells[k] = str(n)

    def cycle_rows(self):
        return [cells[1:8] for cells in self.cycle]

    def elimination(self, shift):
        texts = [str(wrap_number(self.cell(self.latest - back - shift, position) + add))
                 for back, position, add in ELIMINATION_RECIPE]
        return [int(t) for i, t in enumerate(texts) if t not in texts[:i]]

    def window_candidates(self, shift, limit):
        w0 = self.latest - 1 - shift
        cells = {(m, p): self.cell(w0 - m, p) for m in range(4) for p in range(1, WINDOW_BALLS + 1)}
        found = []
        for m in range(4):
            for p in range(1, WINDOW_BALLS + 1):
                n = cells[(m, p)]
                if n == 0:
                    break
                if all(v != n for key, v in cells.items() if key != (m, p)):
                    found.append(n)
                    if len(found) == limit:
                        return found
        return found

    def predict(self, options):
        """One run as `kazutama-cli predict` prints it."""
        shift = compute_shift(options)
        return {"shift": shift, "cycle": self.cycle_rows(), "elimination": self.elimination(shift),
                "multiple": self.window_candidates(shift, MULTIPLE_LIMIT),
                "oneShot": self.window_candidates(shift, ONE_SHOT_LIMIT)}


def settings_text(options):
    """The settings file as the program writes it."""
    return "".join("%s=%s\r\n" % (key, "True" if options.get(key) else "False") for key in OPTION_KEYS)
