#include "analyses/ConsecutiveNumbersBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

// One letter per column of a data row: c a consecutive pair, g a stepping-stone pair, x a draw number
// without any pair, . anything else.
std::string marks(const ResultGrid& grid, int row) {
    std::string result;
    for (int column = 1; column <= grid.columnCount(); ++column) {
        const auto background = grid.background(column, row);
        result += background == Rgb{200, 255, 255}   ? 'c'
                  : background == Rgb{200, 255, 200} ? 'g'
                  : background == Rgb{225, 225, 225} ? 'x'
                                                     : '.';
    }
    return result;
}

TEST(ConsecutiveNumbersBuilderTest, MarksNeighbouringPairsOfEachCompleteDraw) {
    struct Row {
        int drawNumber;
        std::string marks; // consecutive half, then stepping-stone half
    };
    struct Case {
        const char* name;
        DrawHistory history;
        std::optional<int> latestDrawNumber; // another history's summary, when set
        int rowCount;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"a run of three and a stepping stone", makeHistory({{1, {3, 4, 5, 12, 20, 22, 30, 1, 2}}}), {}, 2,
         {{1, ".ccc...." ".....gg."}}},
        {"no pair in either half", makeHistory({{1, {1, 5, 9, 13, 17, 21, 25, 2, 3}}}), {}, 2,
         {{1, "x......." "x......."}}},
        {"1 2 4: one pair in each half", makeHistory({{1, {1, 2, 4, 10, 20, 30, 37, 5, 6}}}), {}, 2,
         {{1, ".cc....." "..gg...."}}},
        {"pairs up to the last column", makeHistory({{1, {31, 32, 33, 34, 35, 36, 37, 1, 2}}}), {}, 2,
         {{1, ".ccccccc" "x......."}}},
        {"stored order, repeated numbers and bonus numbers", makeHistory({{1, {8, 7, 7, 9, 9, 20, 21, 19, 22}}}),
         {}, 2, {{1, "......cc" "...gg..."}}},
        {"empty history", DrawHistory(), {}, 1, {}},
        {"incomplete draws and gaps leave the empty rows at the bottom",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 0, 9}},
                      {2, {1, 3, 10, 11, 20, 30, 31, 4, 5}},
                      {3, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
                      {6, {5, 6, 10, 20, 22, 30, 35, 1, 2}},
                      {7, {1, 2, 3, 4, 5, 6, 7, 8, 0}}}),
         {}, 7, {{2, "...cc.cc" ".gg....."}, {6, ".cc....." "....gg.."}}},
        {"more complete draws than the table has rows",
         makeHistory({{1, {1, 2, 9, 11, 20, 30, 35, 4, 5}}, {2, {1, 3, 9, 11, 20, 30, 35, 4, 5}}}), 1, 2,
         {{1, ".cc....." "...gg..."}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartupSummary summary = computeStartupSummary(c.history);
        summary.latestDrawNumber = c.latestDrawNumber.value_or(summary.latestDrawNumber);
        const ResultGrid grid = buildConsecutiveNumbers(c.history, summary);
        ASSERT_EQ(grid.columnCount(), 16);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        EXPECT_EQ(grid.text(4, 1), "　連番(本数字)");
        EXPECT_EQ(grid.text(12, 1), "　飛び石(本数字)");
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const int row = int(i) + 2;
            EXPECT_EQ(grid.text(1, row), std::to_string(c.rows[i].drawNumber));
            EXPECT_EQ(grid.text(9, row), std::to_string(c.rows[i].drawNumber));
            EXPECT_EQ(marks(grid, row), c.rows[i].marks) << "row " << row;
        }
        for (int row = int(c.rows.size()) + 2; row <= grid.rowCount(); ++row)
            EXPECT_EQ(grid.text(1, row), "") << "row " << row;
    }
}

} // namespace
} // namespace kazutama
