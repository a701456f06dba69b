#include "analyses/AppearanceByCountBuilder.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <utility>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kPaleYellow{255, 255, 200};
constexpr Rgb kPalePink{255, 200, 200};

ResultGrid build(const DrawHistory& history) {
    return buildAppearanceByCount(Snapshot(history));
}

// Complete draws in which number n appears exactly n - 1 times: every count 0..36 occurs once.
DrawHistory historyWithDistinctCounts() {
    std::array<int, 38> remaining{};
    for (int n = 1; n <= 37; ++n)
        remaining[n] = n - 1;
    std::vector<DrawRecord> records;
    for (int d = 1; std::accumulate(remaining.begin(), remaining.end(), 0) > 0; ++d) {
        std::vector<int> numbers(37);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::stable_sort(numbers.begin(), numbers.end(),
                         [&](int a, int b) { return remaining[a] > remaining[b]; });
        DrawRecord record{d, {}};
        for (int i = 0; i < 9; ++i) {
            record.numbers[i] = numbers[i];
            --remaining[numbers[i]];
        }
        records.push_back(record);
    }
    return test::historyOf(records);
}

// Twelve draws of 1..9, the last with 10 as second bonus number: counts 0 (11..37), 1 (10), 11 (9), 12
// (1..8).
DrawHistory twelveDraws() {
    std::vector<DrawRecord> records;
    for (int d = 1; d <= 12; ++d)
        records.push_back(DrawRecord{d, {1, 2, 3, 4, 5, 6, 7, 8, d == 12 ? 10 : 9}});
    return test::historyOf(records);
}

TEST(AppearanceByCountBuilderTest, OneRowPerCountThatOccursFromTheSmallestToMaxCount) {
    using Rows = std::vector<std::pair<std::string, std::string>>; // below the heading row
    Rows distinct;                                                 // count c: the number c + 1
    for (int count = 0; count <= 36; ++count)
        distinct.emplace_back(std::to_string(count) + "回", std::to_string(count + 1));
    struct Case {
        const char* name;
        DrawHistory history;
        int rowCount;
        Rows rows;
    };
    const Case cases[] = {
        {"an incomplete draw is not counted",
         makeHistory({{1, {1, 2, 3, 5, 6, 7, 8, 9, 10}},
                      {2, {1, 11, 12, 13, 14, 15, 16, 17, 18}},
                      {3, {1, 2, 3, 0, 0, 0, 0, 0, 0}}}),
         4,
         {{"0回", "4,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37"},
          {"1回", "2,3,5,6,7,8,9,10,11,12,13,14,15,16,17,18"},
          {"2回", "1"}}},
        {"counts no number has leave no row",
         twelveDraws(),
         5,
         {{"0回", "11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37"},
          {"1回", "10"},
          {"11回", "9"},
          {"12回", "1,2,3,4,5,6,7,8"}}},
        {"every number with its own count", historyWithDistinctCounts(), 38, distinct},
        {"an empty history has not even the heading row", DrawHistory(), 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = build(c.history);
        ASSERT_EQ(grid.columnCount(), 2);
        ASSERT_EQ(grid.rowCount(), c.rowCount);
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(grid.text(1, int(i) + 2), c.rows[i].first);
            EXPECT_EQ(grid.text(2, int(i) + 2), c.rows[i].second);
        }
    }
}

TEST(AppearanceByCountBuilderTest, FormatsOfHeadingsAndDataRows) {
    const ResultGrid grid = build(makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}));
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 20);
    EXPECT_EQ(grid.background(2, 1), kPalePink);
    EXPECT_FALSE(grid.foreground(2, 1));
    EXPECT_EQ(grid.horizontalAlignment(2, 1), HorizontalAlignment::Center);
    EXPECT_TRUE(grid.textRunsOn());
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(grid.rowHeight(row), 10);
        for (int column = 1; column <= 2; ++column) {
            EXPECT_EQ(grid.borders(column, row).sides, 0x0F);
            EXPECT_TRUE(grid.isStaticText(column, row));
        }
    }
    for (int row = 2; row <= 3; ++row) {
        EXPECT_EQ(grid.background(1, row), kPaleYellow);
        EXPECT_FALSE(grid.foreground(1, row));
        EXPECT_EQ(grid.horizontalAlignment(1, row), HorizontalAlignment::Center);
        EXPECT_EQ(grid.foreground(2, row), kBlue);
        EXPECT_FALSE(grid.background(2, row));
        EXPECT_EQ(grid.horizontalAlignment(2, row), HorizontalAlignment::Left);
    }
}

} // namespace
} // namespace kazutama
