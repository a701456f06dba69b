#include "store/StartupSummary.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::makeHistory;

TEST(StartupSummaryTest, EmptyHistoryKeepsInitialValues) {
    const StartupSummary summary = computeStartupSummary(DrawHistory());
    EXPECT_EQ(summary.latestDrawNumber, 0);
    EXPECT_EQ(summary.maxCount, 0);
    EXPECT_EQ(summary.groupRowCount, 0);
    for (int count : summary.numberCounts)
        EXPECT_EQ(count, 0);
    ASSERT_EQ(summary.countGroups.size(), 1u);
    EXPECT_EQ(summary.countGroups[0], "");
}

TEST(StartupSummaryTest, IncompleteRecordsAreNotCountedAndNeverLatest) {
    const StartupSummary summary = computeStartupSummary(makeHistory({
        {1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {2, {1, 2, 3, 4, 5, 6, 7, 8, 0}},  // second bonus number not entered yet
    }));
    EXPECT_EQ(summary.latestDrawNumber, 1);
    EXPECT_EQ(summary.numberCounts[1], 1);
    EXPECT_EQ(summary.numberCounts[9], 1);
    EXPECT_EQ(summary.maxCount, 1);
}

TEST(StartupSummaryTest, OnlyIncompleteRecordsGroupEveryNumberAtZero) {
    const StartupSummary summary = computeStartupSummary(makeHistory({{1, {0, 2, 3, 4, 5, 6, 7, 8, 9}}}));
    EXPECT_EQ(summary.latestDrawNumber, 0);
    EXPECT_EQ(summary.maxCount, 0);
    EXPECT_EQ(summary.groupRowCount, 2);
    ASSERT_EQ(summary.countGroups.size(), 1u);
    EXPECT_EQ(summary.countGroups[0].substr(0, 6), "1,2,3,");
    EXPECT_TRUE(summary.countGroups[0].ends_with(",36,37"));
}

TEST(StartupSummaryTest, BonusNumbersCountLikeMainNumbers) {
    const StartupSummary summary = computeStartupSummary(makeHistory({
        {1, {5, 10, 11, 12, 13, 14, 15, 16, 17}},
        {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {3, {20, 21, 22, 23, 24, 25, 26, 5, 27}},
    }));
    EXPECT_EQ(summary.numberCounts[5], 3);
    EXPECT_EQ(summary.maxCount, 3);
    EXPECT_EQ(summary.latestDrawNumber, 3);
}

TEST(StartupSummaryTest, EqualCountsShareOneAscendingGroupAndGapsStayEmpty) {
    // 2, 9 and 30 appear three times, 1 once; no number appears twice.
    const StartupSummary summary = computeStartupSummary(makeHistory({
        {1, {2, 9, 30, 1, 3, 4, 6, 7, 8}},
        {2, {2, 9, 30, 10, 11, 12, 13, 14, 15}},
        {3, {30, 9, 2, 16, 17, 18, 19, 20, 21}},
    }));
    ASSERT_EQ(summary.countGroups.size(), 4u);
    EXPECT_EQ(summary.countGroups[3], "2,9,30");
    EXPECT_EQ(summary.countGroups[2], "");
    EXPECT_EQ(summary.countGroups[1], "1,3,4,6,7,8,10,11,12,13,14,15,16,17,18,19,20,21");
    EXPECT_EQ(summary.countGroups[0].substr(0, 5), "5,22,");
    // Counts 0, 1 and 3: one row more than the non-empty groups.
    EXPECT_EQ(summary.groupRowCount, 4);
}

TEST(StartupSummaryTest, NoNumberAtZeroLeavesGroupZeroEmpty) {
    std::vector<DrawRecord> records;
    for (int d = 0; d < 5; ++d) {  // 45 balls cover all 37 numbers
        DrawRecord draw{d + 1, {}};
        for (int k = 0; k < kBallCount; ++k)
            draw.numbers[k] = (d * kBallCount + k) % kHighestNumber + 1;
        records.push_back(draw);
    }
    const StartupSummary summary = computeStartupSummary(DrawHistory(records));
    EXPECT_EQ(summary.countGroups[0], "");
    EXPECT_EQ(summary.maxCount, 2);
    EXPECT_EQ(summary.groupRowCount, 3);
    EXPECT_EQ(summary.countGroups[2], "1,2,3,4,5,6,7,8");
}

} // namespace
} // namespace kazutama
