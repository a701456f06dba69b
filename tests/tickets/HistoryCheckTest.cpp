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

TEST(HistoryCheckTest, PrizeTiersAtTheirBoundaries) {
    const std::array<int, 7> ticket{1, 2, 3, 4, 5, 6, 7};
    struct Case {
        std::array<int, 9> numbers;
        int main, bonus, tier;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 7, 0, 1},
        {{7, 6, 5, 4, 3, 2, 30, 1, 31}, 6, 1, 2}, // the seventh number drawn as a bonus number
        {{1, 2, 3, 4, 5, 6, 30, 31, 32}, 6, 0, 3},
        {{1, 2, 3, 4, 5, 30, 31, 6, 7}, 5, 2, 4}, // a bonus number lifts no tier but 2 and 6
        {{1, 2, 3, 4, 30, 31, 32, 5, 33}, 4, 1, 5},
        {{1, 2, 3, 30, 31, 32, 33, 4, 34}, 3, 1, 6},
        {{1, 2, 3, 30, 31, 32, 33, 5, 4}, 3, 2, 6},
        {{1, 2, 3, 30, 31, 32, 33, 34, 35}, 3, 0, 0},
        {{1, 2, 30, 31, 32, 33, 34, 3, 4}, 2, 2, 0},
        // A mistyped draw that holds a number more than once: the ticket holds it once, so it counts once.
        {{5, 5, 5, 5, 5, 5, 5, 5, 5}, 1, 1, 0},
    };
    for (const Case& c : cases) {
        const TicketHits hits = ticketHits(ticket, {1, c.numbers});
        EXPECT_EQ(hits.main, c.main) << c.numbers[0] << "," << c.numbers[6] << "," << c.numbers[7];
        EXPECT_EQ(hits.bonus, c.bonus) << c.numbers[0] << "," << c.numbers[6] << "," << c.numbers[7];
        EXPECT_EQ(hits.tier, c.tier) << c.numbers[0] << "," << c.numbers[6] << "," << c.numbers[7];
    }
}

TEST(HistoryCheckTest, WithoutAPrizeTheBestAreTheDrawsOfTheMostMainHitsInDrawOrder) {
    const DrawHistory draws = test::historyOf({
        {3, {1, 2, 20, 21, 22, 23, 24, 25, 26}},
        {5, {1, 20, 21, 22, 23, 24, 25, 2, 3}}, // one main hit, two bonus hits: still no prize
        {8, {1, 2, 30, 31, 32, 33, 34, 3, 35}},
        {9, {1, 2, 3, 4, 5, 6, 7, 0, 0}}, // incomplete: never counted, though it would win 1等
    });
    auto check = checkAgainstHistory(draws, {1, 2, 3, 4, 5, 6, 7});
    ASSERT_TRUE(check);
    EXPECT_EQ(check->completeDraws, 3);
    EXPECT_EQ(check->bestTier, 0);
    EXPECT_EQ(check->bestMainHits, 2);
    ASSERT_EQ(check->bestDraws.size(), 2u);
    EXPECT_EQ(check->bestDraws[0].drawNumber, 3);
    EXPECT_EQ(check->bestDraws[1].drawNumber, 8);
}

TEST(HistoryCheckTest, ExpectationsAreTheExactCountsOfTicketsOverC37_7) {
    const DrawHistory draws = test::makeRandomHistory(11, 5);
    auto check = checkAgainstHistory(draws, {3, 9, 14, 20, 27, 31, 36});
    ASSERT_TRUE(check);
    ASSERT_EQ(check->completeDraws, 11);
    constexpr double kTickets = 10295472; // C(37, 7)
    // Tickets holding m of the 7 main, b of the 2 bonus and the rest of the 28 other numbers:
    // 1等 C(7,7); 2等 C(7,6)·C(2,1); 3等 C(7,6)·C(28,1); 4等 C(7,5)·C(30,2); 5等 C(7,4)·C(30,3);
    // 6等 C(7,3)·(C(2,1)·C(28,3) + C(2,2)·C(28,2)).
    const std::array<double, 7> tierTickets{0, 1, 7 * 2, 7 * 28, 21 * 435, 35 * 4060, 35 * (2 * 3276 + 378)};
    for (int tier = 1; tier <= 6; ++tier)
        EXPECT_DOUBLE_EQ(check->tierExpected[std::size_t(tier)],
                         11 * tierTickets[std::size_t(tier)] / kTickets)
            << tier;
    // C(7,h)·C(30,7−h) for h = 0..7.
    const std::array<double, 8> hitTickets{2035800,   7 * 593775, 21 * 142506, 35 * 27405,
                                           35 * 4060, 21 * 435,   7 * 30,      1};
    for (int hits = 0; hits <= 7; ++hits)
        EXPECT_DOUBLE_EQ(check->mainHitExpected[std::size_t(hits)],
                         11 * hitTickets[std::size_t(hits)] / kTickets)
            << hits;
}

} // namespace
} // namespace kazutama
