#include "analyses/NumberSumBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

TEST(NumberSumBuilderTest, SumsTheMainNumbersAndAllNineOfEachCompleteDraw) {
    struct Row {
        int drawNumber, mainSum, total;
    };
    struct Case {
        const char* name;
        DrawHistory history;
        std::optional<int> latestDrawNumber; // another history's summary, when set
        int rowCount;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"the smallest numbers", makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}), {}, 2, {{1, 28, 45}}},
        {"the largest numbers", makeHistory({{1, {31, 32, 33, 34, 35, 36, 37, 29, 30}}}), {}, 2, {{1, 238, 297}}},
        {"one number nine times", makeHistory({{1, {37, 37, 37, 37, 37, 37, 37, 37, 37}}}), {}, 2,
         {{1, 259, 333}}},
        {"empty history", DrawHistory(), {}, 1, {}},
        {"incomplete draws and gaps leave the empty rows at the bottom",
         makeHistory({{1, {0, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {3, {10, 11, 12, 13, 14, 15, 16, 1, 2}},
                      {4, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                      {5, {20, 2, 13, 4, 5, 6, 7, 30, 9}},
                      {8, {0, 0, 0, 0, 0, 0, 0, 0, 0}}}),
         {}, 6, {{3, 91, 94}, {5, 57, 96}}},
        {"more complete draws than the table has rows",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {1, 2, 3, 4, 5, 6, 8, 9, 10}}}), 1, 2,
         {{1, 28, 45}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartupSummary summary = computeStartupSummary(c.history);
        summary.latestDrawNumber = c.latestDrawNumber.value_or(summary.latestDrawNumber);
        const ResultGrid grid = buildNumberSum(c.history, summary);
        ASSERT_EQ(grid.columnCount(), 12);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        EXPECT_EQ(grid.text(9, 1), "本数字合計");
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const int row = int(i) + 2;
            EXPECT_EQ(grid.text(1, row), std::to_string(c.rows[i].drawNumber));
            EXPECT_EQ(grid.text(9, row), std::to_string(c.rows[i].mainSum));
            EXPECT_EQ(grid.text(12, row), std::to_string(c.rows[i].total));
        }
        for (int row = int(c.rows.size()) + 2; row <= grid.rowCount(); ++row)
            EXPECT_EQ(grid.text(1, row), "") << "row " << row;
    }
}

} // namespace
} // namespace kazutama
