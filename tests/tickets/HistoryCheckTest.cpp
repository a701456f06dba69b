#include "tickets/HistoryCheck.h"

#include "support/Histories.h"

#include <gtest/gtest.h>
#include <numeric>

namespace kazutama {
namespace {

TEST(HistoryCheckTest, CountsEachTierAndHitCountBesideARandomTicketsAndKeepsTheBestDraws) {
    const DrawHistory draws = test::historyOf({
        {1, {1, 2, 3, 4, 5, 6, 8, 7, 30}},         // six and a bonus number: 2等
        {2, {1, 2, 3, 10, 11, 12, 13, 20, 21}},    // three, no bonus: no prize
        {3, {1, 2, 3, 10, 11, 12, 13, 4, 21}},     // three and a bonus number: 6等
        {4, {1, 2, 3, 4, 5, 6, 9, 20, 21}},        // six: 3等
        {5, {31, 32, 33, 34, 35, 36, 37, 20, 21}}, // none
    });
    auto check = checkAgainstHistory(draws, {7, 6, 5, 4, 3, 2, 1});
    ASSERT_TRUE(check);
    EXPECT_EQ(check->numbers, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(check->completeDraws, 5);
    EXPECT_EQ(check->tierCounts, (std::array<int, 7>{2, 0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(check->mainHitCounts, (std::array<int, 8>{1, 0, 0, 2, 0, 0, 2, 0}));
    // The expectations are those of a random ticket over five draws: they add up to the five.
    EXPECT_NEAR(std::accumulate(check->tierExpected.begin(), check->tierExpected.end(), 0.0), 5, 1e-9);
    EXPECT_NEAR(std::accumulate(check->mainHitExpected.begin(), check->mainHitExpected.end(), 0.0), 5, 1e-9);
    EXPECT_DOUBLE_EQ(check->tierExpected[1], 5 / binomial(37, 7));
    EXPECT_EQ(check->bestTier, 2);
    ASSERT_EQ(check->bestDraws.size(), 1u);
    EXPECT_EQ(check->bestDraws[0].drawNumber, 1);

    EXPECT_FALSE(checkAgainstHistory(draws, {1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(checkAgainstHistory(draws, {1, 2, 3, 4, 5, 6, 6}));
}

} // namespace
} // namespace kazutama
