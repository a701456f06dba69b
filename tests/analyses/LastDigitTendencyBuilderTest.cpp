#include "analyses/LastDigitTendencyBuilder.h"

#include "grid/Colours.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <string_view>
#include <vector>

namespace kazutama {
namespace {

using namespace colours;
using test::makeHistory;

constexpr std::array<int, kBallCount> kOneToNine{1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<int, kBallCount> kIncomplete{1, 2, 3, 4, 5, 6, 7, 8, 0};

struct Cell {
    int column, row;
    std::string_view text;
    std::optional<Rgb> background = std::nullopt; // checked where given
};

// Column d + 2 holds last digit d; draws start on row 3.
TEST(LastDigitTendencyBuilderTest, DigitsOfEachCompleteDraw) {
    // clang-format off
    struct Case { const char* name; DrawHistory history; int rowCount; std::vector<Cell> cells; };
    const Case cases[] = {
        {"3, 13, 23, 33 give 3333 on pink, 8, 18, 28 give 888 on green, 30 and 10 give 00 on cyan",
         makeHistory({{1, {3, 13, 23, 8, 18, 28, 30, 33, 10}}}), 5,
         {{5, 3, "3333", kPalePink}, {10, 3, "888", kPaleGreen}, {2, 3, "00", kPaleCyan}, {3, 3, "", kWhite},
          {11, 3, "", kWhite}}},
        {"a digit occurring once is white like an empty cell", makeHistory({{1, kOneToNine}}), 5,
         {{2, 3, "", kWhite}, {3, 3, "1", kWhite}, {11, 3, "9", kWhite}}},
        {"an empty history shows the four heading rows only", DrawHistory(), 4,
         {{1, 1, "回数"}, {2, 2, "0"}, {11, 3, "9"}, {1, 4, "回数"}}},
        {"N complete draws: the last on row N + 2, the bottom digits on row N + 3",
         makeHistory({{1, kOneToNine}, {2, {10, 20, 30, 11, 21, 31, 12, 22, 32}}}), 6,
         {{1, 4, "2"}, {2, 4, "000", kPaleGreen}, {3, 4, "111"}, {4, 4, "222"}, {2, 5, "0"}, {1, 6, "回数"}}},
        {"incomplete draws (the first among them) and gaps leave no row: empty rows above the bottom heading",
         makeHistory({{1, kIncomplete}, {2, kOneToNine}, {4, kIncomplete}, {6, kOneToNine}, {7, kIncomplete}}),
         10,
         {{1, 3, "2"}, {1, 4, "6"}, {3, 4, "1"}, {1, 5, ""}, {3, 8, ""}, {2, 9, "0"}, {1, 10, "回数"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildLastDigitTendency(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 11);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        for (const Cell& cell : c.cells) {
            EXPECT_EQ(grid.text(cell.column, cell.row), cell.text) << cell.column << "," << cell.row;
            if (cell.background) {
                EXPECT_EQ(grid.background(cell.column, cell.row), cell.background)
                    << cell.column << "," << cell.row;
            }
        }
    }
}

} // namespace
} // namespace kazutama
