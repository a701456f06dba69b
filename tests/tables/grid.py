"""A minimal stand-in for the result grid: extent, cell texts, text colours and backgrounds.

Only what the comparison needs is modelled: alignment, borders, widths and heights are not.
Writes outside the extent are ignored, as the real grid does.
"""


def rgb(r, g, b):
    return "#%02x%02x%02x" % (r, g, b)


RED = rgb(255, 0, 0)
BLUE = rgb(0, 0, 255)
PALE_YELLOW = rgb(255, 255, 200)
PALE_CYAN = rgb(200, 255, 255)
PALE_GREEN = rgb(200, 255, 200)
PALE_MAGENTA = rgb(255, 200, 255)
PALE_PINK = rgb(255, 200, 200)
VERY_PALE_CYAN = rgb(222, 254, 253)
MAIN_DOT = rgb(62, 158, 255)
BONUS1_DOT = rgb(255, 128, 192)
BONUS2_DOT = rgb(0, 255, 170)


class Table:
    def __init__(self, columns, rows):
        self.columns = columns
        self.rows = rows
        self._cells = {}

    def _inside(self, col, row):
        return 1 <= col <= self.columns and 1 <= row <= self.rows

    def _cell(self, col, row):
        return self._cells.setdefault((col, row), ["", None, None])

    def set_text(self, col, row, value):
        if self._inside(col, row):
            self._cell(col, row)[0] = str(value)

    def _span(self, first, last, extent):
        # -1 selects the whole range; a reversed range selects nothing.
        if first == -1:
            first, last = 1, extent
        return range(max(first, 1), min(last, extent) + 1)

    def format_block(self, col1, col2, row1, row2, fg=None, bg=None):
        for col in self._span(col1, col2, self.columns):
            for row in self._span(row1, row2, self.rows):
                cell = self._cell(col, row)
                if fg is not None:
                    cell[1] = fg
                if bg is not None:
                    cell[2] = bg

    def format_cell(self, col, row, fg=None, bg=None):
        self.format_block(col, col, row, row, fg, bg)

    def cell(self, col, row):
        return tuple(self._cells.get((col, row), ("", None, None)))

    def cells(self):
        """{(col, row): (text, fg, bg)} for every cell with a text or a colour of its own."""
        return {k: tuple(v) for k, v in self._cells.items() if v != ["", None, None]}
