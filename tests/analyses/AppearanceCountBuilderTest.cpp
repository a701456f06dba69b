#include "analyses/AppearanceCountBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr std::array<int, kBallCount> kOneToNine{1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<int, kBallCount> kIncomplete{1, 2, 3, 4, 5, 6, 7, 8, 0};

struct Cell {
    int column, row;
    std::string_view text;
};

// Column 10 + k holds the count beside the number of column 1 + k.
TEST(AppearanceCountBuilderTest, CountsBeforeEachListedDraw) {
    // clang-format off
    struct Case { const char* name; DrawHistory history; int rowCount; std::vector<Cell> cells; };
    const Case cases[] = {
        {"an empty history gives the two heading rows only", DrawHistory(), 2,
         {{1, 2, "回数"}, {19, 2, "ボ数字2"}}},
        {"the first listed draw shows 0 in every count column", makeHistory({{1, kOneToNine}}), 3,
         {{1, 3, "1"}, {10, 3, "9"}, {11, 3, "0"}, {12, 3, "0"}, {13, 3, "0"}, {14, 3, "0"}, {15, 3, "0"},
          {16, 3, "0"}, {17, 3, "0"}, {18, 3, "0"}, {19, 3, "0"}}},
        {"a bonus number of draw 1 drawn as a main number in draw 2 shows 1",
         makeHistory({{1, kOneToNine}, {2, {8, 10, 11, 12, 13, 14, 15, 16, 17}}}), 4,
         {{2, 4, "8"}, {11, 4, "1"}, {12, 4, "0"}}},
        {"every earlier appearance counts, a number stored twice in one draw twice",
         makeHistory({{1, {5, 1, 2, 3, 4, 6, 7, 5, 8}}, {2, {1, 5, 18, 19, 20, 21, 22, 23, 24}}}), 4,
         {{11, 3, "0"}, {18, 3, "0"}, {11, 4, "1"}, {12, 4, "2"}, {13, 4, "0"}}},
        {"incomplete draws and gaps leave no row: the rows sized for them stay empty at the end",
         makeHistory({{1, kIncomplete}, {2, kOneToNine}, {3, kIncomplete}, {5, kOneToNine}, {6, kIncomplete}}),
         7,
         {{1, 3, "2"}, {11, 3, "0"}, {1, 4, "5"}, {11, 4, "1"}, {1, 5, ""}, {19, 7, ""}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildAppearanceCount(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 19);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        for (const Cell& cell : c.cells)
            EXPECT_EQ(grid.text(cell.column, cell.row), cell.text) << cell.column << "," << cell.row;
    }
}

} // namespace
} // namespace kazutama
