#include "analyses/CombinationPatternBuilder.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

// "draw | backgrounds of the seven main and two bonus cells | the two counts | letter and its background",
// a background as w white, c pale cyan, g pale green, y pale yellow, m pale magenta, p pale pink, r red, .
// none.
std::string describeRow(const ResultGrid& grid, int row) {
    const auto shade = [&](int column) {
        const std::string known = "#ffffff#c8ffff#c8ffc8#ffffc8#ffc8ff#ffc8c8#ff0000";
        const auto b = grid.background(column, row);
        return b ? "wcgympr?"[std::min(known.find(b->hex()), known.size()) / 7] : '.';
    };
    std::string s = std::string(grid.text(1, row)) + " |";
    for (int column = 2; column <= 10; ++column)
        s += shade(column);
    return s + "| " + std::string(grid.text(11, row)) + " " + std::string(grid.text(12, row)) + " | " +
           std::string(grid.text(13, row)) + shade(13);
}

struct Case {
    const char* name;
    DrawHistory history;
    std::vector<std::string> rows; // below the header row
};

void check(CombinationPattern pattern, const Case (&cases)[4]) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildCombinationPattern(Snapshot(c.history), int(pattern));
        ASSERT_EQ(grid.rowCount(), int(c.rows.size()) + 1);
        for (int row = 2; row <= grid.rowCount(); ++row)
            EXPECT_EQ(describeRow(grid, row), c.rows[row - 2]) << "row " << row;
    }
}

const std::string kEmptyRow = " |.......yy|   | .";

TEST(CombinationPatternBuilderTest, LowHighCountsOneToEighteenAsLow) {
    const Case cases[] = {
        {"all seven low, 18 among them: H on red",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 18, 19, 20}}}),
         {"1 |cccccccyy| 7 0 | Hr"}},
        {"19 is high; low bonus numbers neither count nor change colour",
         makeHistory({{1, {19, 20, 25, 30, 33, 36, 37, 1, 18}}, {2, {18, 19, 2, 21, 3, 22, 4, 5, 6}}}),
         {"1 |.......yy| 0 7 | A.", "2 |c.c.c.cyy| 4 3 | Ew"}},
        {"incomplete first draw, gaps, an incomplete draw between: their rows stay empty at the bottom",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                      {2, {1, 20, 21, 22, 23, 24, 25, 26, 27}},
                      {4, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
                      {5, {1, 2, 20, 21, 22, 23, 24, 5, 6}},
                      {6, {1, 2, 3, 4, 5, 19, 20, 5, 6}}}),
         {"2 |c......yy| 1 6 | Bc", "5 |cc.....yy| 2 5 | Cg", "6 |ccccc..yy| 5 2 | Fm", kEmptyRow, kEmptyRow,
          kEmptyRow}},
        {"an empty history leaves only the header", DrawHistory(), {}},
    };
    check(CombinationPattern::LowHigh, cases);
}

TEST(CombinationPatternBuilderTest, EvenOddNamesThePatternByTheOddCount) {
    const Case cases[] = {
        {"2, 4, 6, 8, 1, 3, 5: D on pale yellow",
         makeHistory({{1, {2, 4, 6, 8, 1, 3, 5, 10, 11}}}),
         {"1 |ccccwwwyy| 4 3 | Dy"}},
        {"seven even: A; seven odd: H on red; bonus numbers are not counted",
         makeHistory({{1, {2, 4, 6, 8, 10, 12, 36, 1, 3}}, {2, {1, 3, 5, 7, 9, 11, 37, 2, 4}}}),
         {"1 |cccccccyy| 7 0 | A.", "2 |wwwwwwwyy| 0 7 | Hr"}},
        {"incomplete first draw and a gap: the empty rows stay at the bottom",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 0, 9}},
                      {3, {2, 3, 5, 7, 9, 11, 13, 4, 6}},
                      {4, {2, 4, 5, 7, 9, 11, 13, 4, 6}}}),
         {"3 |cwwwwwwyy| 1 6 | Gp", "4 |ccwwwwwyy| 2 5 | Fm", kEmptyRow, kEmptyRow}},
        {"an empty history leaves only the header", DrawHistory(), {}},
    };
    check(CombinationPattern::EvenOdd, cases);
}

} // namespace
} // namespace kazutama
