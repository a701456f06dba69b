#include "analyses/DispersionBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr Rgb kMain{62, 158, 255};
constexpr Rgb kBonus1{255, 128, 192};
constexpr Rgb kBonus2{0, 255, 170};

TEST(DispersionBuilderTest, OneRowOfDotsPerCompleteDrawBetweenTheLabelRows) {
    struct Row {
        int draw;
        std::map<int, Rgb> dots; // column -> dot colour
    };
    struct Case {
        const char* name;
        DrawHistory history;
        int rows;
        std::vector<Row> written; // from row 3 on; every row below them up to the closing labels is blank
        std::optional<int> latestDrawNumber = {}; // a summary that does not fit the history
    };
    const std::map<int, Rgb> oneToSeven = {{2, kMain}, {3, kMain}, {4, kMain},    {5, kMain},   {6, kMain},
                                           {7, kMain}, {8, kMain}, {37, kBonus1}, {38, kBonus2}};
    const Case cases[] = {
        {"main numbers 1..7, bonus numbers 36 and 37",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 36, 37}}}),
         4,
         {{1, oneToSeven}}},
        {"an empty history has the title and the two label rows", DrawHistory(), 3, {}},
        {"an incomplete draw leaves no row; the rows it leaves over stay blank",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 36, 37}},
                      {2, {1, 2, 3, 4, 5, 6, 7, 36, 0}},
                      {3, {37, 36, 35, 34, 33, 32, 31, 1, 2}}}),
         6,
         {{1, oneToSeven},
          {3,
           {{38, kMain},
            {37, kMain},
            {36, kMain},
            {35, kMain},
            {34, kMain},
            {33, kMain},
            {32, kMain},
            {2, kBonus1},
            {3, kBonus2}}}}},
        {"a first draw that is incomplete",
         makeHistory({{1, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, {2, {1, 2, 3, 4, 5, 6, 7, 36, 37}}}),
         5,
         {{2, oneToSeven}}},
        {"gaps in the draw numbers",
         makeHistory({{4, {1, 2, 3, 4, 5, 6, 7, 36, 37}}, {9, {1, 2, 3, 4, 5, 6, 7, 36, 37}}}),
         12,
         {{4, oneToSeven}, {9, oneToSeven}}},
        {"the last draw incomplete: sized by the last complete one",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 36, 37}}, {2, {1, 2, 3, 4, 5, 6, 7, 36, 0}}}),
         4,
         {{1, oneToSeven}}},
        {"a number stored twice shows one dot in the colour of its later position",
         makeHistory({{1, {5, 5, 6, 7, 8, 9, 10, 5, 11}}, {2, {12, 13, 14, 15, 16, 17, 18, 19, 12}}}),
         5,
         {{1, {{6, kBonus1}, {7, kMain}, {8, kMain}, {9, kMain}, {10, kMain}, {11, kMain}, {12, kBonus2}}},
          {2,
           {{13, kBonus2},
            {14, kMain},
            {15, kMain},
            {16, kMain},
            {17, kMain},
            {18, kMain},
            {19, kMain},
            {20, kBonus1}}}}},
        {"more draws than a foreign summary counts never overwrite the closing labels",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 36, 37}}, {2, {1, 2, 3, 4, 5, 6, 7, 36, 37}}}),
         4,
         {{1, oneToSeven}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartupSummary summary = computeStartupSummary(c.history);
        summary.latestDrawNumber = c.latestDrawNumber.value_or(summary.latestDrawNumber);
        const ResultGrid grid = buildDispersion(c.history, summary);
        ASSERT_EQ(grid.columnCount(), 39);
        ASSERT_EQ(grid.rowCount(), c.rows);
        EXPECT_EQ(grid.text(19, 1), "数　　　　　　　字");
        EXPECT_EQ(grid.verticalAlignment(20, c.rows), VerticalAlignment::Center);
        for (int row : {2, c.rows}) {
            EXPECT_EQ(grid.text(1, row), "回");
            EXPECT_EQ(grid.text(39, row), "回");
            for (int n = 1; n <= 37; ++n)
                EXPECT_EQ(grid.text(n + 1, row), std::to_string(n));
        }
        for (int row = 3; row < c.rows; ++row) {
            SCOPED_TRACE(row);
            const std::size_t index = std::size_t(row - 3);
            const Row* written = index < c.written.size() ? &c.written[index] : nullptr;
            const std::string draw = written ? std::to_string(written->draw) : "";
            EXPECT_EQ(grid.text(1, row), draw);
            EXPECT_EQ(grid.text(39, row), draw);
            for (int column = 2; column <= 38; ++column) {
                std::optional<Rgb> dot;
                if (written && written->dots.contains(column))
                    dot = written->dots.at(column);
                EXPECT_EQ(grid.text(column, row), dot ? "●" : "") << "column " << column;
                EXPECT_EQ(grid.foreground(column, row), dot) << "column " << column;
            }
        }
    }
}

} // namespace
} // namespace kazutama
