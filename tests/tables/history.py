"""Draw history as plain Python values, and the start-up summary computed from it.

A history is a list of (draw_number, numbers) in ascending draw-number order, where numbers is a list of
nine values (seven main numbers, then the two bonus numbers), each an int or None when not entered yet.
"""

import csv
import io

HEADER = ["回数", "第1数字", "第2数字", "第3数字", "第4数字", "第5数字", "第6数字", "第7数字",
          "ボーナス数字1", "ボーナス数字2"]

MAIN_COLUMNS = range(0, 7)
BONUS1 = 7
BONUS2 = 8


def is_complete(numbers):
    return all(v is not None for v in numbers)


def parse_csv(text):
    rows = list(csv.reader(io.StringIO(text)))
    if not rows:
        return []
    header = [h.strip().lstrip("\ufeff") for h in rows[0]]
    if header != HEADER:
        raise ValueError("unexpected CSV header: %r" % (rows[0],))
    history = []
    for line_no, row in enumerate(rows[1:], start=2):
        if not row or all(not f.strip() for f in row):
            continue
        if len(row) != 10:
            raise ValueError("line %d: expected 10 fields, got %d" % (line_no, len(row)))
        draw = int(row[0])
        numbers = [int(f) if f.strip() else None for f in row[1:]]
        history.append((draw, numbers))
    history.sort(key=lambda rec: rec[0])
    return history


def read_csv(path):
    with open(path, encoding="utf-8-sig") as f:
        return parse_csv(f.read())


def to_csv(history):
    out = [",".join(HEADER)]
    for draw, numbers in history:
        out.append(",".join([str(draw)] + ["" if v is None else str(v) for v in numbers]))
    return "\n".join(out) + "\n"


class Summary:
    """NumberCounts, MaxCount, CountGroups, GroupRowCount and LatestDrawNumber of a history."""

    def __init__(self, history):
        self.number_counts = [0] * 38
        self.max_count = 0
        self.count_groups = [""]
        self.group_row_count = 0
        self.latest_draw_number = 0
        # With no record at all the grouping pass does not run and GroupRowCount stays 0; a history
        # holding only incomplete records still groups all 37 numbers under the count 0.
        if not history:
            return
        for draw, numbers in history:
            if not is_complete(numbers):
                continue
            for v in numbers:
                if 1 <= v <= 37:
                    self.number_counts[v] += 1
            self.latest_draw_number = draw
        self.group_row_count = 1
        for n in range(1, 38):
            c = self.number_counts[n]
            if c > self.max_count:
                self.max_count = c
                self.count_groups.extend([""] * (c + 1 - len(self.count_groups)))
            if self.count_groups[c] == "":
                self.count_groups[c] = str(n)
                self.group_row_count += 1
            else:
                self.count_groups[c] += "," + str(n)
