#include "analyses/ConsecutiveNumbersBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kazutama {
namespace {

// One letter per column: c a consecutive pair, g a stepping stone, x a draw number without a pair.
std::string marks(const ResultGrid& grid, int row) {
    std::string result;
    for (int column = 1; column <= grid.columnCount(); ++column) {
        const Rgb b = grid.background(column, row).value_or(Rgb{});
        result += b == Rgb{200, 255, 255}   ? 'c'
                  : b == Rgb{200, 255, 200} ? 'g'
                  : b == Rgb{225, 225, 225} ? 'x'
                                            : '.';
    }
    return result;
}

TEST(ConsecutiveNumbersBuilderTest, MarksNeighbouringPairsOfEachCompleteDraw) {
    struct Case {
        const char* name;
        DrawHistory history;
        // Below the heading: the draw number, then the marks of the consecutive and stepping-stone halves.
        std::vector<std::pair<std::string, std::string>> rows;
    };
    const std::string none(16, '.');
    const Case cases[] = {
        {"incomplete first and last draws, a gap",
         test::makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 0, 9}},
                            {2, {3, 4, 5, 12, 20, 22, 30, 1, 2}},
                            {3, {1, 5, 9, 13, 17, 21, 25, 2, 3}},
                            {5, {1, 2, 4, 10, 20, 30, 37, 5, 6}},
                            {6, {31, 32, 33, 34, 35, 36, 37, 1, 2}},
                            {7, {8, 7, 7, 9, 9, 20, 21, 19, 22}}, // stored order counts; repeats are no pair
                            {9, {1, 2, 3, 4, 5, 6, 7, 8, 0}}}),
         {{"2", ".ccc.........gg."},
          {"3", "x.......x......."},
          {"5", ".cc.......gg...."},
          {"6", ".cccccccx......."},
          {"7", "......cc...gg..."},
          {"", none},
          {"", none}}},
        {"empty history", DrawHistory(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildConsecutiveNumbers(Snapshot(c.history));
        ASSERT_EQ(grid.rowCount(), int(c.rows.size()) + 1);
        for (int row = 2; row <= grid.rowCount(); ++row) {
            const auto& [drawNumber, rowMarks] = c.rows[row - 2];
            EXPECT_EQ(grid.text(1, row), drawNumber) << "row " << row;
            EXPECT_EQ(grid.text(9, row), drawNumber) << "row " << row;
            EXPECT_EQ(marks(grid, row), rowMarks) << "row " << row;
        }
    }
}

} // namespace
} // namespace kazutama
