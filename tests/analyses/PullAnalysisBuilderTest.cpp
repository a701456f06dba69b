#include "analyses/PullAnalysisBuilder.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr Rgb kMark{200, 255, 255};

const DrawRecord* findDraw(const DrawHistory& history, int drawNumber) {
    const auto found = std::find_if(history.begin(), history.end(),
                                    [&](const DrawRecord& r) { return r.drawNumber == drawNumber; });
    return found == history.end() ? nullptr : &*found;
}

TEST(PullAnalysisBuilderTest, MarksTheNumbersThePreviousCompleteDrawHad) {
    struct Row {
        int draw;
        std::vector<int> marked; // columns 2..10
    };
    struct Case {
        const char* name;
        DrawHistory history;
        int rows;
        std::vector<Row> written; // from row 2 on; every row below them stays blank
    };
    const Case cases[] = {
        {"a main number in two draws in a row is marked in the later one only",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {10, 2, 11, 12, 13, 14, 15, 16, 17}}}),
         3,
         {{1, {}}, {2, {3}}}},
        {"a second bonus number that was a main number",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {10, 11, 12, 13, 14, 15, 16, 17, 4}}}),
         3,
         {{1, {}}, {2, {10}}}},
        {"a main number that was a bonus number, and a bonus number that was a bonus number",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {9, 11, 12, 13, 14, 15, 16, 8, 17}}}),
         3,
         {{1, {}}, {2, {2, 9}}}},
        {"one draw, unmarked", makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}), 2, {{1, {}}}},
        {"an empty history keeps the header", DrawHistory(), 1, {}},
        {"an incomplete draw leaves no row and the next one is compared with the last complete one",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {2, {20, 21, 22, 23, 24, 25, 26, 27, 0}},
                      {3, {21, 1, 30, 31, 32, 33, 34, 35, 36}}}),
         4,
         {{1, {}}, {3, {3}}}},
        {"a first draw that is incomplete",
         makeHistory({{1, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
                      {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {3, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}),
         4,
         {{2, {}}, {3, {2, 3, 4, 5, 6, 7, 8, 9, 10}}}},
        {"gaps in the draw numbers leave blank rows at the bottom",
         makeHistory({{3, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {7, {11, 12, 13, 14, 15, 16, 17, 18, 1}}}),
         8,
         {{3, {}}, {7, {10}}}},
        {"the last draw incomplete: sized by the last complete one",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {9, 8, 7, 6, 5, 4, 3, 2, 0}}}),
         2,
         {{1, {}}}},
        {"a number stored twice is marked wherever it stands",
         makeHistory({{1, {5, 5, 5, 5, 5, 5, 5, 5, 5}}, {2, {5, 1, 2, 3, 4, 6, 7, 8, 5}}}),
         3,
         {{1, {}}, {2, {2, 10}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildPullAnalysis(c.history, computeStartupSummary(c.history));
        ASSERT_EQ(grid.columnCount(), 10);
        ASSERT_EQ(grid.rowCount(), c.rows);
        EXPECT_EQ(grid.text(5, 1), " 本 数 字");
        EXPECT_EQ(grid.verticalAlignment(10, c.rows), VerticalAlignment::Center);
        for (int row = 2; row <= c.rows; ++row) {
            SCOPED_TRACE(row);
            const std::size_t index = std::size_t(row - 2);
            const DrawRecord* draw =
                index < c.written.size() ? findDraw(c.history, c.written[index].draw) : nullptr;
            EXPECT_EQ(grid.text(1, row), draw ? std::to_string(draw->drawNumber) : "");
            for (int column = 2; column <= 10; ++column) {
                EXPECT_EQ(grid.text(column, row), draw ? std::to_string(draw->ball(column - 1)) : "");
                const auto& marked = draw ? c.written[index].marked : std::vector<int>{};
                const bool isMarked = std::find(marked.begin(), marked.end(), column) != marked.end();
                EXPECT_EQ(grid.background(column, row), isMarked ? std::optional(kMark) : std::nullopt)
                    << "column " << column;
            }
        }
    }
}

// The seven main-number cells of the header read as one cell: a line under them, none between them.
TEST(PullAnalysisBuilderTest, MainNumberTitleSpansItsSevenColumns) {
    const ResultGrid grid = buildPullAnalysis(DrawHistory(), StartupSummary());
    for (int column = 2; column <= 8; ++column) {
        EXPECT_EQ(grid.borders(column, 1).sides, CellBorders::bit(BorderSide::Bottom)) << column;
        EXPECT_EQ(grid.borders(column, 1).colour(BorderSide::Bottom), (Rgb{136, 196, 255}));
    }
    EXPECT_EQ(grid.borders(9, 1).sides, 0x0F);
}

} // namespace
} // namespace kazutama
