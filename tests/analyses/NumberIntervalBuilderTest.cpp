#include "analyses/NumberIntervalBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr std::array<int, kBallCount> kOneToNine{1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr Rgb kPink{255, 200, 255};

struct Cell {
    int column, row;
    std::string_view text;
    bool pink = false; // a fall is marked pink; nothing else in the data rows is
};

// The change of the number in column 2k sits in column 2k + 1.
TEST(NumberIntervalBuilderTest, ChangesFromTheDrawListedBefore) {
    // clang-format off
    struct Case { const char* name; DrawHistory history; int rowCount; std::vector<Cell> cells; };
    const Case cases[] = {
        {"an empty history gives the header and the footer", DrawHistory(), 4,
         {{1, 2, "回数"}, {19, 2, "差分"}, {8, 1, "本 数 字"}, {1, 3, "回数"},
          {16, 4, "　　　ボーナス数字"}}},
        {"one draw has no changes, and the footer follows it", makeHistory({{1, kOneToNine}}), 5,
         {{1, 3, "1"}, {18, 3, "9"}, {3, 3, ""}, {19, 3, ""}, {1, 4, "回数"}, {8, 5, "本 数 字"}}},
        {"a fall is pink, a rise has a plus sign, no change is 0; bonus numbers against bonus numbers",
         makeHistory({{1, {20, 8, 5, 1, 2, 3, 4, 30, 31}}, {2, {8, 20, 5, 1, 2, 3, 4, 31, 30}}}), 6,
         {{3, 4, "-12", true}, {5, 4, "+12"}, {7, 4, "0"}, {17, 4, "+1"}, {19, 4, "-1", true}}},
        {"an incomplete draw leaves a blank row; the next is compared with the last complete one",
         makeHistory({{1, {10, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                      {4, {15, 2, 3, 4, 5, 6, 7, 8, 9}}}), 8,
         {{1, 4, ""}, {3, 4, ""}, {1, 5, "4"}, {3, 5, "+5"}, {1, 6, ""}, {1, 7, "回数"}}},
        {"after an incomplete first draw the first written draw has no changes",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 0}}, {2, kOneToNine}, {3, {2, 2, 3, 4, 5, 6, 7, 8, 9}}}),
         7,
         {{1, 3, ""}, {2, 4, "1"}, {3, 4, ""}, {19, 4, ""}, {3, 5, "+1"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildNumberInterval(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 19);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        for (const Cell& cell : c.cells) {
            const auto at = std::to_string(cell.column) + "," + std::to_string(cell.row);
            EXPECT_EQ(grid.text(cell.column, cell.row), cell.text) << at;
            EXPECT_EQ(grid.background(cell.column, cell.row) == kPink, cell.pink) << at;
        }
    }
}

} // namespace
} // namespace kazutama
