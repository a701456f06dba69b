#include "analyses/AppearanceIntervalBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr std::array<int, kBallCount> kOneToNine{1, 2, 3, 4, 5, 6, 7, 8, 9};

struct Cell {
    int column, row;
    std::string_view text;
};

// The interval of the number in column 2k sits in column 2k + 1.
TEST(AppearanceIntervalBuilderTest, IntervalsToTheNearestEarlierDraw) {
    // clang-format off
    struct Case { const char* name; DrawHistory history; int rowCount; std::vector<Cell> cells; };
    const Case cases[] = {
        {"an empty history gives the header and the footer", DrawHistory(), 4,
         {{1, 2, "回数"}, {19, 2, "出現"}, {2, 1, "本 数 字"}, {1, 3, "回数"},
          {16, 4, "　　　ボーナス数字"}}},
        {"draw 1 is a first time for all nine; a bonus number then a main number gives 1",
         makeHistory({{1, kOneToNine}, {2, {8, 10, 11, 12, 13, 14, 15, 16, 17}}}), 6,
         {{3, 3, "初回"}, {5, 3, "初回"}, {7, 3, "初回"}, {9, 3, "初回"}, {11, 3, "初回"}, {13, 3, "初回"},
          {15, 3, "初回"}, {17, 3, "初回"}, {19, 3, "初回"}, {3, 4, "1回前"}, {5, 4, "初回"},
          {1, 5, "回数"}}},
        {"the nearest earlier draw counts, and missing draws count in the interval",
         makeHistory({{1, {20, 1, 2, 3, 4, 5, 6, 7, 8}}, {3, {9, 10, 11, 12, 13, 14, 15, 16, 20}},
                      {6, {20, 27, 28, 29, 30, 31, 32, 33, 34}}}), 10,
         {{19, 4, "2回前"}, {1, 5, "6"}, {3, 5, "3回前"}, {1, 6, ""}, {1, 8, ""}, {1, 9, "回数"}}},
        {"incomplete draws keep their rows empty and are no earlier draws",
         makeHistory({{1, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, {2, kOneToNine}, {3, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                      {4, {1, 2, 3, 4, 5, 6, 7, 8, 10}}}), 8,
         {{1, 3, ""}, {1, 4, "2"}, {3, 4, "初回"}, {1, 5, ""}, {3, 6, "2回前"}, {19, 6, "初回"}}},
        {"a number stored twice in one draw is a first time in both places",
         makeHistory({{1, {5, 5, 1, 2, 3, 4, 6, 7, 8}}, {2, {9, 10, 11, 12, 13, 14, 15, 16, 5}}}), 6,
         {{3, 3, "初回"}, {5, 3, "初回"}, {19, 4, "1回前"}}},
        {"draw numbers reach as high as the store allows",
         makeHistory({{1, kOneToNine}, {32760, {9, 10, 11, 12, 13, 14, 15, 16, 17}}}), 32764,
         {{1, 4, "32760"}, {3, 4, "32759回前"}, {1, 32763, "回数"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildAppearanceInterval(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 19);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        for (const Cell& cell : c.cells)
            EXPECT_EQ(grid.text(cell.column, cell.row), cell.text) << cell.column << "," << cell.row;
    }
}

} // namespace
} // namespace kazutama
