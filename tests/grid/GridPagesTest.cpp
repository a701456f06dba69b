#include "grid/GridPages.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>

namespace kazutama {
namespace {

struct PagesCase {
    const char* name;
    TableSizes table;
    PageFrame frame;
    PageCursor start;
    int headingRowsShown; // how many heading rows every piece repeats
    int headingColumnsShown;
    int pages; // pages from the start page to the last one used
};

TableSizes uniform(int columns, int width, int rows, int height, int headingRows, int headingColumns) {
    return {std::vector<int>(std::size_t(columns), width), std::vector<int>(std::size_t(rows), height),
            headingRows, headingColumns};
}

int sizeOf(const std::vector<int>& sizes, GridRange range) {
    return range.empty() ? 0
                         : std::accumulate(sizes.begin() + range.first - 1, sizes.begin() + range.last, 0);
}

// Every body cell lands on exactly one piece, every piece repeats the same headings and fits its page, and
// the pieces go forward page by page.
void checkCover(const PagesCase& c, const std::vector<TablePiece>& pieces) {
    const int rows = int(c.table.rowHeights.size()), columns = int(c.table.columnWidths.size());
    std::map<std::pair<int, int>, int> seen; // (column band start, row) -> times
    int lastPage = c.start.page;
    for (const TablePiece& piece : pieces) {
        EXPECT_EQ(piece.headingRows.count(), c.headingRowsShown);
        EXPECT_EQ(piece.headingColumns.count(), c.headingColumnsShown);
        EXPECT_GE(piece.page, lastPage);
        lastPage = piece.page;
        const int height =
            sizeOf(c.table.rowHeights, piece.headingRows) + sizeOf(c.table.rowHeights, piece.rows);
        const int width =
            sizeOf(c.table.columnWidths, piece.headingColumns) + sizeOf(c.table.columnWidths, piece.columns);
        if (piece.rows.count() > 1) {
            EXPECT_LE(piece.top + height, c.frame.height);
        }
        if (piece.columns.count() > 1) {
            EXPECT_LE(width, c.frame.width);
        }
        for (int row = piece.rows.first; row <= piece.rows.last; ++row)
            for (int column = piece.columns.first; column <= piece.columns.last; ++column)
                ++seen[{column, row}];
    }
    EXPECT_EQ(int(seen.size()), (rows - c.headingRowsShown) * (columns - c.headingColumnsShown));
    for (const auto& [cell, times] : seen)
        EXPECT_EQ(times, 1) << "column " << cell.first << " row " << cell.second;
    EXPECT_EQ(pieces.empty() ? 0 : pieces.back().page + 1 - c.start.page, c.pages);
}

TEST(GridPagesTest, EveryBodyCellOnceWithTheHeadingsOnEveryPage) {
    const PagesCase cases[] = {
        // 5000 draws under two heading rows and a footer: 48 body rows a page (800 - 32) / 16, the first page
        // below a 100-pixel title holding 41.
        {"tall table",
         uniform(19, 30, 5002, 16, 2, 1),
         {700, 800},
         {0, 100},
         2,
         1,
         1 + (5000 - 41 + 47) / 48},
        // 200 columns beside the number column: 22 body columns a page across, 3 row bands.
        {"wide table", uniform(201, 30, 100, 16, 2, 1), {700, 800}, {0, 0}, 2, 1, 10 * 3},
        {"fits on the page under the title", uniform(5, 30, 10, 16, 1, 0), {700, 800}, {0, 600}, 1, 0, 1},
        // Page 2 keeps what it had; the table fills page 3.
        {"moves to a new page where its headings and a row do not fit",
         uniform(5, 30, 10, 16, 3, 0),
         {700, 800},
         {2, 760},
         3,
         0,
         2},
        // Headings taller than half the page are printed once, as the start of the body.
        {"headings too tall to repeat", uniform(5, 30, 100, 16, 30, 0), {700, 400}, {0, 0}, 0, 0, 4},
        {"headings too wide to repeat", uniform(40, 30, 10, 16, 0, 15), {700, 400}, {0, 0}, 0, 0, 2},
        {"a row taller than the page gets a page of its own",
         {{30, 30}, {16, 900, 16}, 1, 0},
         {700, 800},
         {0, 0},
         1,
         0,
         2},
        // 100 body rows, 48 a page: the last page would hold the two footer rows alone, so the last body
        // row goes with them.
        {"the footer stays with the last row",
         {std::vector<int>(5, 30), std::vector<int>(104, 16), 2, 0, 2},
         {700, 800},
         {0, 0},
         2,
         0,
         3},
        {"headings alone", uniform(3, 30, 2, 16, 2, 0), {700, 800}, {0, 0}, 2, 0, 1},
    };
    for (const PagesCase& c : cases) {
        SCOPED_TRACE(c.name);
        PageCursor cursor = c.start;
        const std::vector<TablePiece> pieces = paginate(c.table, c.frame, cursor);
        checkCover(c, pieces);
        ASSERT_FALSE(pieces.empty());
        if (c.table.footerRows > 0) {
            EXPECT_LT(pieces.back().rows.first, int(c.table.rowHeights.size()) - c.table.footerRows + 1);
        }
        // The next table starts under this one on its last page, or on a fresh page after a wide one.
        EXPECT_GE(cursor.page, pieces.back().page);
    }
}

TEST(GridPagesTest, AnEmptyTableTakesNoPage) {
    PageCursor cursor{1, 50};
    EXPECT_TRUE(paginate(TableSizes{}, {700, 800}, cursor).empty());
    EXPECT_EQ(cursor.page, 1);
    EXPECT_EQ(cursor.top, 50);
}

} // namespace
} // namespace kazutama
