#include "analyses/LastDigitStreakBuilder.h"

#include "grid/Colours.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

namespace kazutama {
namespace {

using namespace colours;
using test::makeHistory;

// No number ends in 3 here; kWithThree swaps its 1 for a 3.
constexpr std::array<int, kBallCount> kNoThree{1, 2, 4, 5, 6, 7, 9, 11, 12};
constexpr std::array<int, kBallCount> kWithThree{3, 2, 4, 5, 6, 7, 9, 11, 12};
constexpr std::array<int, kBallCount> kIncomplete{3, 2, 4, 5, 6, 7, 9, 11, 0};
constexpr int kDigitThree = 5; // the column of last digit 3

// Draws 1..last, digit 3 in those listed.
DrawHistory drawsWithThreeIn(int last, std::set<int> withThree) {
    std::vector<DrawRecord> records;
    for (int d = 1; d <= last; ++d)
        records.push_back({d, withThree.count(d) ? kWithThree : kNoThree});
    return test::historyOf(records);
}

struct Cell {
    int column, row;
    std::string_view text;
    std::optional<Rgb> background = std::nullopt; // checked where given
};

// Draw k sits on row k + 2, last digit d in column d + 2.
TEST(LastDigitStreakBuilderTest, RepeatsOfEachDigit) {
    // clang-format off
    struct Case { const char* name; DrawHistory history; int rowCount; std::vector<Cell> cells; };
    const Case cases[] = {
        {"digit 3 in draws 3, 4, 5 and 8: draw 4 shows 1, draw 5 shows 2, draws 3 and 8 nothing",
         drawsWithThreeIn(8, {3, 4, 5, 8}), 12,
         {{kDigitThree, 5, ""}, {kDigitThree, 6, "1", kPaleCyan}, {kDigitThree, 7, "2", kPaleCyan},
          {kDigitThree, 8, ""}, {kDigitThree, 10, ""}}},
        {"3 and 13 in draw 10, 23 in draw 11, none in draw 9: draw 10 shows 1, draw 11 shows 2",
         makeHistory({{9, kNoThree}, {10, {3, 13, 1, 2, 4, 5, 6, 7, 9}}, {11, {23, 1, 2, 4, 5, 6, 7, 9, 11}}}), 15,
         {{kDigitThree, 11, ""}, {kDigitThree, 12, "1", kPaleCyan}, {kDigitThree, 13, "2", kPaleCyan}}},
        {"13 draws in a row reach 12 on pale magenta, a fourteenth 13 on pale pink",
         drawsWithThreeIn(14, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}), 18,
         {{kDigitThree, 3, ""}, {kDigitThree, 6, "3", kPaleCyan}, {kDigitThree, 7, "4", kPaleGreen},
          {kDigitThree, 10, "7", kPaleYellow}, {kDigitThree, 12, "9", kPaleYellow},
          {kDigitThree, 13, "10", kPaleMagenta}, {kDigitThree, 15, "12", kPaleMagenta},
          {kDigitThree, 16, "13", kPalePink}}},
        {"every entry is walked: two draws of nine threes end on 17, past a cap of N steps",
         makeHistory({{1, {3, 13, 23, 33, 3, 13, 23, 33, 3}}, {2, {3, 13, 23, 33, 3, 13, 23, 33, 3}}}), 6,
         {{kDigitThree, 3, "8", kPaleYellow}, {kDigitThree, 4, "17", kPalePink}}},
        {"column 1 lists every draw number up to N despite gaps", makeHistory({{2, kWithThree}, {5, kWithThree}}), 9,
         {{1, 3, "1"}, {1, 4, "2"}, {1, 7, "5"}, {1, 8, ""}, {2, 8, "0"}, {1, 9, "回数"}, {kDigitThree, 7, ""}}},
        {"an incomplete draw breaks the streak; an incomplete first draw starts none",
         makeHistory({{1, kIncomplete}, {2, kWithThree}, {3, kIncomplete}, {4, kWithThree}, {5, kWithThree}}), 9,
         {{kDigitThree, 3, ""}, {kDigitThree, 4, ""}, {kDigitThree, 6, ""}, {kDigitThree, 7, "1", kPaleCyan}}},
        {"an empty history shows the four heading rows only", DrawHistory(), 4,
         {{1, 1, "回数"}, {2, 2, "0"}, {11, 3, "9"}, {1, 4, "回数"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildLastDigitStreak(Snapshot(c.history));
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
