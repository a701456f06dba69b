#include "analyses/NumberSumBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace kazutama {
namespace {

TEST(NumberSumBuilderTest, SumsTheMainNumbersAndAllNineOfEachCompleteDraw) {
    struct Case {
        const char* name;
        DrawHistory history;
        std::vector<std::string> rows; // below the heading: draw number, main sum, sum of all nine
    };
    const Case cases[] = {
        {"incomplete draws and gaps leave the empty rows at the bottom",
         test::makeHistory({{1, {0, 2, 3, 4, 5, 6, 7, 8, 9}},
                            {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                            {3, {31, 32, 33, 34, 35, 36, 37, 29, 30}},
                            {4, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                            {6, {37, 37, 37, 37, 37, 37, 37, 37, 37}},
                            {8, {0, 0, 0, 0, 0, 0, 0, 0, 0}}}),
         {"2 28 45", "3 238 297", "6 259 333", "  ", "  ", "  "}},
        {"empty history", DrawHistory(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildNumberSum(Snapshot(c.history));
        ASSERT_EQ(grid.rowCount(), int(c.rows.size()) + 1);
        for (int row = 2; row <= grid.rowCount(); ++row)
            EXPECT_EQ(std::string(grid.text(1, row)) + " " + std::string(grid.text(9, row)) + " " +
                          std::string(grid.text(12, row)),
                      c.rows[row - 2]);
    }
}

} // namespace
} // namespace kazutama
