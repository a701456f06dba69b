#pragma once

#include <vector>

namespace kazutama {

// A run of columns or rows, both ends included, numbered from 1; empty when last < first.
struct GridRange {
    int first = 1;
    int last = 0;

    bool empty() const { return last < first; }
    int count() const { return empty() ? 0 : last - first + 1; }
    bool operator==(const GridRange&) const = default;
};

// A table's sizes on paper, in the pixels it is painted in, and the heading block every page repeats.
struct TableSizes {
    std::vector<int> columnWidths; // column c at [c - 1]
    std::vector<int> rowHeights;
    int headingRows = 0;    // the top rows
    int headingColumns = 0; // the left columns
    int footerRows = 0;     // the bottom rows, kept on one page with the last body row
};

// The room for tables on every page, in the same pixels.
struct PageFrame {
    int width = 0;
    int height = 0;
};

// One page's part of a table: the heading block (when it is repeated) and a rectangle of the body, placed
// `top` pixels below the top of the frame of page `page` (from 0).
struct TablePiece {
    int page = 0;
    int top = 0;
    GridRange headingRows; // empty where the headings do not repeat
    GridRange headingColumns;
    GridRange rows;    // body rows, after the heading rows
    GridRange columns; // body columns, after the heading columns
};

// Where the next thing printed starts: a page and the height already used on it.
struct PageCursor {
    int page = 0;
    int top = 0;
};

// Splits a table into pages: the body rows in bands that fit under the repeated heading rows, and, for a
// table wider than the frame, the body columns in bands beside the repeated heading columns; each row band
// is printed across all its column bands before the next band starts. The first band starts at `cursor`
// (below a title, or after an earlier table) when its headings and a first row fit there, else on a new
// page; the cursor ends under the last piece. A heading block taller or wider than half the frame is not
// repeated, so that every page still shows a good part of the body. A row or column larger than the frame
// gets a page of its own and is cut there. The footer rows and the last row above them are not split
// across pages, so a page never holds the footer alone. Every body row and column appears on exactly one
// piece per band.
std::vector<TablePiece> paginate(const TableSizes& table, PageFrame frame, PageCursor& cursor);

} // namespace kazutama
