#include "analyses/FourWayDivisionBuilder.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

// "draw | backgrounds of the nine number cells (w white, c pale cyan, g pale green, y pale yellow) | counts"
std::string describeRow(const ResultGrid& grid, int row) {
    std::string s = std::string(grid.text(1, row)) + " |";
    for (int column = 2; column <= 10; ++column) {
        const auto b = grid.background(column, row);
        s += !b ? '.'
                : "wcgy?"[std::min(std::string("#ffffff#c8ffff#c8ffc8#ffffc8").find(b->hex()), 28ul) / 7];
    }
    s += "|";
    for (int column = 11; column <= 14; ++column)
        s += " " + std::string(grid.text(column, row));
    return s;
}

// The line the first counts column draws on its left, between the numbers and the counts.
std::optional<Rgb> countsEdgeColour(const ResultGrid& grid, int row) {
    const CellBorders right = grid.borders(11, row);
    return right.has(BorderSide::Left) ? right.colour(BorderSide::Left) : std::nullopt;
}

TEST(FourWayDivisionBuilderTest, CountsAllNineNumbersByDecadeGroup) {
    struct Case {
        const char* name;
        DrawHistory history;
        std::vector<std::string> rows; // between the two header rows
    };
    const std::string empty = " |.......yy|    ";
    const Case cases[] = {
        {"bonus numbers are counted and coloured with the main numbers",
         makeHistory({{1, {3, 11, 15, 22, 28, 31, 37, 9, 30}}}),
         {"1 |wccggyywy| 2 2 2 3"}},
        {"group edges: 9 | 10, 19 | 20, 29 | 30; a number repeated in a draw counts each time",
         makeHistory({{1, {9, 10, 19, 20, 29, 30, 1, 37, 2}}, {2, {5, 5, 5, 5, 5, 5, 5, 5, 5}}}),
         {"1 |wccggywyw| 3 2 2 2", "2 |wwwwwwwww| 9 0 0 0"}},
        {"incomplete first draw, a gap and an incomplete draw: empty rows stay above the bottom header",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                      {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {3, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
                      {5, {31, 32, 33, 34, 35, 36, 37, 29, 30}}}),
         {"2 |wwwwwwwww| 9 0 0 0", "5 |yyyyyyygy| 0 0 1 8", empty, empty, empty}},
        {"an empty history shows the two header rows only", DrawHistory(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildFourWayDivision(Snapshot(c.history));
        const int last = int(c.rows.size()) + 2;
        ASSERT_EQ(grid.rowCount(), last);
        for (int row = 2; row < last; ++row)
            EXPECT_EQ(describeRow(grid, row), c.rows[row - 2]) << "row " << row;
        for (int column = 1; column <= 14; ++column) {
            EXPECT_EQ(grid.text(column, last), grid.text(column, 1)) << "column " << column;
            EXPECT_EQ(grid.background(column, last), grid.background(column, 1)) << "column " << column;
            EXPECT_EQ(grid.foreground(column, last), grid.foreground(column, 1)) << "column " << column;
        }
        for (int row = 1; row <= last; ++row)
            EXPECT_EQ(countsEdgeColour(grid, row), (Rgb{255, 0, 0})) << "row " << row;
    }
}

} // namespace
} // namespace kazutama
