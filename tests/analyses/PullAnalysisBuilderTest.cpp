#include "analyses/PullAnalysisBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::makeHistory;

// Row `row` as "draw|marks": per number cell 'x' where it has the pulled-number background, else '.'.
std::string describeRow(const ResultGrid& grid, int row) {
    std::string line = std::string(grid.text(1, row)) + "|";
    for (int column = 2; column <= 10; ++column)
        line += grid.background(column, row) == Rgb{200, 255, 255} ? 'x' : '.';
    return line;
}

TEST(PullAnalysisBuilderTest, MarksTheNumbersThePreviousCompleteDrawHad) {
    struct Case {
        const char* name;
        DrawHistory history;
        std::vector<std::string> rows; // below the header
    };
    const std::array<int, kBallCount> oneToNine = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    // clang-format off
    const Case cases[] = {
        {"a main number drawn twice in a row is marked in the later draw only",
         makeHistory({{1, oneToNine}, {2, {10, 2, 11, 12, 13, 14, 15, 16, 17}}}),
         {"1|.........", "2|.x......."}},
        {"main and bonus numbers are matched alike",
         makeHistory({{1, oneToNine}, {2, {9, 11, 12, 13, 14, 15, 16, 8, 4}}}),
         {"1|.........", "2|x......xx"}},
        {"empty history", DrawHistory(), {}},
        {"an incomplete draw leaves no row; the next is compared with the last complete one",
         makeHistory({{1, oneToNine}, {2, {20, 21, 22}}, {3, {21, 1, 30, 31, 32, 33, 34, 35, 36}}}),
         {"1|.........", "3|.x.......", "|........."}},
        {"first draw incomplete", makeHistory({{1, {}}, {2, oneToNine}, {3, oneToNine}}),
         {"2|.........", "3|xxxxxxxxx", "|........."}},
        {"gaps leave blank rows at the bottom",
         makeHistory({{3, oneToNine}, {5, {11, 12, 13, 14, 15, 16, 17, 18, 1}}}),
         {"3|.........", "5|........x", "|.........", "|.........", "|........."}},
        {"a number stored twice is marked wherever it stands",
         makeHistory({{1, {5, 5, 5, 5, 5, 5, 5, 5, 5}}, {2, {5, 1, 2, 3, 4, 6, 7, 8, 5}}}),
         {"1|.........", "2|x.......x"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildPullAnalysis(Snapshot(c.history));
        ASSERT_EQ(grid.columnCount(), 10);
        std::vector<std::string> rows;
        for (int row = 2; row <= grid.rowCount(); ++row)
            rows.push_back(describeRow(grid, row));
        EXPECT_EQ(rows, c.rows);
        // The main-number title reads as one cell over its seven columns: a line under it, none inside.
        EXPECT_EQ(grid.borders(5, 1).sides, CellBorders::bit(BorderSide::Bottom));
    }
}

} // namespace
} // namespace kazutama
