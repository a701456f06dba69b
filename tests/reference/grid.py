"""A stand-in for the result grid with what the comparison needs: extent, texts, text colours and
backgrounds (no alignment, borders or sizes). Writes outside the extent are ignored, as in the grid."""


def rgb(r, g, b):
    return "#%02x%02x%02x" % (r, g, b)


RED = rgb(255, 0, 0)
BLUE = rgb(0, 0, 255)
PALE_CYAN = rgb(200, 255, 255)
PALE_GREEN = rgb(200, 255, 200)
PALE_YELLOW = rgb(255, 255, 200)
PALE_MAGENTA = rgb(255, 200, 255)
PALE_PINK = rgb(255, 200, 200)
VERY_PALE_CYAN = rgb(222, 254, 253)
MAIN_DOT = rgb(62, 158, 255)
BONUS1_DOT = rgb(255, 128, 192)
BONUS2_DOT = rgb(0, 255, 170)

EMPTY = ("", None, None)


class Table:
    def __init__(self, columns, rows):
        self.columns = columns
        self.rows = rows
        self._cells = {}  # (col, row) -> [text, fg, bg]

    def _span(self, first, last, extent):
        # -1 selects the whole range; a reversed range selects nothing.
        if first == -1:
            first, last = 1, extent
        return range(max(first, 1), min(last, extent) + 1)

    def _each(self, col1, col2, row1, row2):
        for col in self._span(col1, col2, self.columns):
            for row in self._span(row1, row2, self.rows):
                yield self._cells.setdefault((col, row), list(EMPTY))

    def set_text(self, col, row, value):
        for cell in self._each(col, col, row, row):
            cell[0] = str(value)

    def format_block(self, col1, col2, row1, row2, fg=None, bg=None):
        for cell in self._each(col1, col2, row1, row2):
            cell[1] = fg or cell[1]
            cell[2] = bg or cell[2]

    def format_cell(self, col, row, fg=None, bg=None):
        self.format_block(col, col, row, row, fg, bg)

    def cell(self, col, row):
        return tuple(self._cells.get((col, row), EMPTY))

    def cells(self):
        """{(col, row): (text, fg, bg)} for every cell with a text or a colour."""
        return {key: tuple(v) for key, v in self._cells.items() if tuple(v) != EMPTY}
