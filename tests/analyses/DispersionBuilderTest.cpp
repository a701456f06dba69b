#include "analyses/DispersionBuilder.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::makeHistory;
using test::TestDraw;

// Row `row` as "draw|dots|draw": per number 1..37 'm', '1' or '2' for a dot in the main, first or second
// bonus colour, '.' for none.
std::string describeRow(const ResultGrid& grid, int row) {
    const Rgb kinds[] = {{62, 158, 255}, {255, 128, 192}, {0, 255, 170}};
    std::string line = std::string(grid.text(1, row)) + "|";
    for (int column = 2; column <= 38; ++column) {
        const auto kind = std::find(kinds, kinds + 3, grid.foreground(column, row).value_or(Rgb{})) - kinds;
        line += grid.text(column, row) == "●" ? "m12?"[kind] : '.';
    }
    return line + "|" + std::string(grid.text(39, row));
}

TEST(DispersionBuilderTest, OneRowOfDotsPerCompleteDrawBetweenTheLabelRows) {
    const std::string labels = "回|.....................................|回";
    const std::string blank = "|.....................................|";
    const std::string dots = "|mmmmmmm............................12|"; // 1..7, 36, 37
    const std::array<int, kBallCount> draw = {1, 2, 3, 4, 5, 6, 7, 36, 37};
    const TestDraw oneToSeven{1, draw};
    struct Case {
        const char* name;
        DrawHistory history;
        std::vector<std::string> rows; // between the two label rows
    };
    // clang-format off
    const Case cases[] = {
        {"main 1..7, bonus 36 and 37", makeHistory({oneToSeven}), {"1" + dots + "1"}},
        {"empty history", DrawHistory(), {}},
        {"an incomplete draw leaves no row",
         makeHistory({oneToSeven, {2, {1, 2, 3, 4, 5, 6, 7, 36}}, {3, {37, 36, 35, 34, 33, 32, 31, 1, 2}}}),
         {"1" + dots + "1", "3|12............................mmmmmmm|3", blank}},
        {"first draw incomplete", makeHistory({{1, {}}, {2, draw}}), {"2" + dots + "2", blank}},
        {"gaps", makeHistory({{2, draw}, {4, draw}}), {"2" + dots + "2", "4" + dots + "4", blank, blank}},
        {"a number stored twice has the colour of its later position",
         makeHistory({{1, {5, 5, 6, 7, 8, 9, 10, 5, 11}}, {2, {12, 13, 14, 15, 16, 17, 18, 19, 12}}}),
         {"1|....1mmmmm2..........................|1", "2|...........2mmmmmm1..................|2"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildDispersion(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 39);
        std::vector<std::string> rows;
        for (int row = 3; row < grid.rowCount(); ++row)
            rows.push_back(describeRow(grid, row));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(describeRow(grid, 2), labels);
        EXPECT_EQ(describeRow(grid, grid.rowCount()), labels);
        EXPECT_EQ(grid.verticalAlignment(20, grid.rowCount()), VerticalAlignment::Center);
    }
}

} // namespace
} // namespace kazutama
