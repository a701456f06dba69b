"""The start-up summary: NumberCounts, MaxCount, CountGroups, GroupRowCount and LatestDrawNumber."""

from history import is_complete


class Summary:
    def __init__(self, history):
        self.number_counts = [0] * 38
        self.max_count = 0
        self.count_groups = [""]
        self.group_row_count = 0
        self.latest_draw_number = 0
        # With no row at all the grouping pass does not run and GroupRowCount stays 0; a history of
        # incomplete rows only still groups all 37 numbers under the count 0.
        if not history:
            return
        for d, numbers in history:
            if not is_complete(numbers):
                continue
            for n in numbers:
                if 1 <= n <= 37:
                    self.number_counts[n] += 1
            self.latest_draw_number = d
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

    def as_json(self):
        """The summary as `kazutama-cli summary` prints it."""
        return {"latestDrawNumber": self.latest_draw_number, "maxCount": self.max_count,
                "groupRowCount": self.group_row_count, "numberCounts": self.number_counts,
                "countGroups": self.count_groups}
