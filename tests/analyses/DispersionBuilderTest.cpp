#include "analyses/DispersionBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::makeHistory;
using test::TestDraw;

// Row `row` as "draw|dots|draw": per number 1..37 'm', '1' or '2' for a dot in the main, first or second
// bonus colour, '.' for none.
std::string describeRow(const ResultGrid& grid, int row) {
    std::string line = std::string(grid.text(1, row)) + "|";
    for (int column = 2; column <= 38; ++column) {
        const auto colour = grid.foreground(column, row);
        line += grid.text(column, row) != "●"  ? '.'
                : colour == Rgb{62, 158, 255}  ? 'm'
                : colour == Rgb{255, 128, 192} ? '1'
                : colour == Rgb{0, 255, 170}   ? '2'
                                               : '?';
    }
    return line + "|" + std::string(grid.text(39, row));
}

TEST(DispersionBuilderTest, OneRowOfDotsPerCompleteDrawBetweenTheLabelRows) {
    const std::string labels = "回|.....................................|回";
    const std::string blank = "|.....................................|";
    const std::string dots = "|mmmmmmm............................12|"; // 1..7, 36, 37
    const TestDraw oneToSeven{1, {1, 2, 3, 4, 5, 6, 7, 36, 37}};
    struct Case {
        const char* name;
        DrawHistory history;
        std::vector<std::string> rows; // from row 2 on
        int latestDrawNumber = -1;     // >= 0: a summary that does not fit the history
    };
    const Case cases[] = {
        {"main numbers 1..7, bonus numbers 36 and 37",
         makeHistory({oneToSeven}),
         {labels, "1" + dots + "1", labels}},
        {"an empty history", DrawHistory(), {labels, labels}},
        {"an incomplete draw leaves no row",
         makeHistory(
             {oneToSeven, {2, {1, 2, 3, 4, 5, 6, 7, 36, 0}}, {3, {37, 36, 35, 34, 33, 32, 31, 1, 2}}}),
         {labels, "1" + dots + "1", "3|12............................mmmmmmm|3", blank, labels}},
        {"a first draw that is incomplete",
         makeHistory({{1, {}}, {2, oneToSeven.numbers}}),
         {labels, "2" + dots + "2", blank, labels}},
        {"gaps in the draw numbers",
         makeHistory({{2, oneToSeven.numbers}, {4, oneToSeven.numbers}}),
         {labels, "2" + dots + "2", "4" + dots + "4", blank, blank, labels}},
        {"a number stored twice keeps the colour of its later position",
         makeHistory({{1, {5, 5, 6, 7, 8, 9, 10, 5, 11}}, {2, {12, 13, 14, 15, 16, 17, 18, 19, 12}}}),
         {labels, "1|....1mmmmm2..........................|1", "2|...........2mmmmmm1..................|2",
          labels}},
        {"more draws than a foreign summary counts leave the closing labels alone",
         makeHistory({oneToSeven, {2, oneToSeven.numbers}}),
         {labels, "1" + dots + "1", labels},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartupSummary summary = computeStartupSummary(c.history);
        if (c.latestDrawNumber >= 0)
            summary.latestDrawNumber = c.latestDrawNumber;
        const ResultGrid grid = buildDispersion(c.history, summary);
        ASSERT_EQ(grid.columnCount(), 39);
        std::vector<std::string> rows;
        for (int row = 2; row <= grid.rowCount(); ++row)
            rows.push_back(describeRow(grid, row));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(grid.verticalAlignment(20, grid.rowCount()), VerticalAlignment::Center);
    }
}

} // namespace
} // namespace kazutama
