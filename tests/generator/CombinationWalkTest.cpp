#include "generator/CombinationWalk.h"

#include "support/Histories.h"

#include <gtest/gtest.h>
#include <numeric>

namespace kazutama {
namespace {

std::int64_t choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

FilterOutcome outcomeOf(const GeneratorCounts& counts, FilterKind kind) {
    for (const auto& [filter, outcome] : counts.filters)
        if (filter == kind)
            return outcome;
    ADD_FAILURE() << "no outcome for filter " << int(kind);
    return {};
}

// Combinations of seven of 1..37 by their sum, by a programme over the numbers: ways[k][s].
std::vector<std::int64_t> combinationsBySum() {
    std::vector<std::vector<std::int64_t>> ways(kMainCount + 1, std::vector<std::int64_t>(239));
    ways[0][0] = 1;
    for (int n = 1; n <= kHighestNumber; ++n)
        for (int k = kMainCount; k >= 1; --k)
            for (int s = 238; s >= n; --s)
                ways[std::size_t(k)][std::size_t(s)] += ways[std::size_t(k - 1)][std::size_t(s - n)];
    return ways[kMainCount];
}

const DrawHistory kTwoDraws = test::historyOf({
    {1, {1, 2, 3, 10, 20, 30, 31, 4, 5}},
    {2, {2, 3, 4, 11, 21, 32, 37, 6, 7}},
});

TEST(CombinationWalkTest, EachFilterAloneCountsWhatCombinatoricsGive) {
    CombinationFilters filters;
    filters.include = {5, 9};
    filters.exclude = {1};
    filters.range(FilterKind::Sum) = CountRange{100, 120};
    filters.range(FilterKind::Odd) = CountRange{3, 3};
    filters.range(FilterKind::Consecutive) = CountRange{0, 0};
    filters.range(FilterKind::Previous) = CountRange{0, 1};
    const GeneratorCounts counts = countCombinations(filters, kTwoDraws);

    const std::vector<std::int64_t> bySum = combinationsBySum();
    EXPECT_EQ(outcomeOf(counts, FilterKind::Include).passing, choose(35, 5));
    EXPECT_EQ(outcomeOf(counts, FilterKind::Exclude).passing, choose(36, 7));
    EXPECT_EQ(outcomeOf(counts, FilterKind::Sum).passing,
              std::accumulate(bySum.begin() + 100, bySum.begin() + 121, std::int64_t(0)));
    EXPECT_EQ(outcomeOf(counts, FilterKind::Odd).passing, choose(19, 3) * choose(18, 4));
    // No two neighbours: seven of 31 spread out by one each.
    EXPECT_EQ(outcomeOf(counts, FilterKind::Consecutive).passing, choose(31, 7));
    // Against the newest draw's seven numbers.
    EXPECT_EQ(outcomeOf(counts, FilterKind::Previous).passing, choose(30, 7) + 7 * choose(30, 6));
    EXPECT_EQ(counts.filters.size(), 6u);

    // Past draws: draw 1 has no draw before it (previous 0); draw 2 holds 2 and 3 of draw 1's main numbers.
    EXPECT_EQ(counts.pastDraws, 2);
    EXPECT_EQ(outcomeOf(counts, FilterKind::Previous).pastPassing, 1);
    EXPECT_EQ(outcomeOf(counts, FilterKind::Consecutive).pastPassing, 0);
    EXPECT_EQ(outcomeOf(counts, FilterKind::Exclude).pastPassing, 1);
}

TEST(CombinationWalkTest, PastMatchDropsEveryCombinationTooCloseToADraw) {
    const DrawHistory one = test::historyOf({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    const auto passing = [](const DrawHistory& history, int most) {
        CombinationFilters filters;
        filters.pastMatchMax = most;
        return countCombinations(filters, history).all.passing;
    };
    const auto sharing = [](int distinct, int atLeast) {
        std::int64_t n = 0;
        for (int j = atLeast; j <= distinct; ++j)
            n += choose(distinct, j) * choose(kHighestNumber - distinct, kMainCount - j);
        return n;
    };
    // Both ways of marking: supersets of the draw's numbers (K ≥ 4) and prefixes (K ≤ 3).
    EXPECT_EQ(passing(one, 7), kCombinationCount);
    EXPECT_EQ(passing(one, 6), kCombinationCount - 1);
    EXPECT_EQ(passing(one, 5), kCombinationCount - sharing(7, 6));
    EXPECT_EQ(passing(one, 4), kCombinationCount - sharing(7, 5));
    EXPECT_EQ(passing(one, 3), kCombinationCount - sharing(7, 4));
    EXPECT_EQ(passing(one, 0), choose(30, 7));
    // A draw stored with a number twice shares it once.
    const DrawHistory repeated = test::historyOf({{1, {1, 1, 2, 3, 4, 5, 6, 8, 9}}});
    EXPECT_EQ(passing(repeated, 5), kCombinationCount - sharing(6, 6));
    EXPECT_EQ(passing(repeated, 3), kCombinationCount - sharing(6, 4));
}

TEST(CombinationWalkTest, RanksFollowLexicographicOrderBothWays) {
    EXPECT_EQ(combinationRank({1, 2, 3, 4, 5, 6, 7}), 0);
    EXPECT_EQ(combinationRank({1, 2, 3, 4, 5, 6, 8}), 1);
    EXPECT_EQ(combinationRank({1, 2, 3, 4, 5, 7, 8}), 31); // after 1..6 with each of 7..37
    EXPECT_EQ(combinationRank({31, 32, 33, 34, 35, 36, 37}), kCombinationCount - 1);
    for (std::int64_t rank :
         {std::int64_t(0), std::int64_t(12345), std::int64_t(5'000'000), kCombinationCount - 1})
        EXPECT_EQ(combinationRank(combinationAt(rank)), rank);
}

TEST(CombinationWalkTest, ChanceIsTheTwoSidedBinomialTail) {
    EXPECT_DOUBLE_EQ(twoSidedBinomialP(10, 0.5, 5), 1);
    EXPECT_DOUBLE_EQ(twoSidedBinomialP(10, 0.5, 0), 2.0 / 1024);
    EXPECT_DOUBLE_EQ(twoSidedBinomialP(10, 0.5, 9), 22.0 / 1024);
    // Mean 1: 0 and 2 are as far from it as each other; 3 and 4 further.
    EXPECT_NEAR(twoSidedBinomialP(4, 0.25, 0), 1 - 108.0 / 256, 1e-12);
    EXPECT_DOUBLE_EQ(twoSidedBinomialP(0, 0.3, 0), 1);
    EXPECT_DOUBLE_EQ(twoSidedBinomialP(5, 0, 1), 0);
}

} // namespace
} // namespace kazutama
