#include "generator/TicketDraw.h"

#include "support/Histories.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace kazutama {
namespace {

const DrawHistory kHistory = test::makeRandomHistory(60, 7);

CombinationFilters someFilters() {
    CombinationFilters filters;
    filters.include = {11};
    filters.exclude = {12, 13};
    filters.range(FilterKind::Sum) = CountRange{110, 150};
    filters.range(FilterKind::Low) = CountRange{3, 4};
    filters.range(FilterKind::Stepping) = CountRange{1, 2};
    filters.sameLastDigitMax = 2;
    filters.pastMatchMax = 3;
    return filters;
}

// Each filter's rule written out plainly, for one ticket.
void expectPasses(const Combination& t, const CombinationFilters& filters, const DrawHistory& history) {
    EXPECT_TRUE(std::includes(t.begin(), t.end(), filters.include.begin(), filters.include.end()));
    for (int n : filters.exclude)
        EXPECT_EQ(std::count(t.begin(), t.end(), n), 0);
    int sum = 0, low = 0, stepping = 0, mostDigit = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        sum += t[i];
        low += t[i] <= 18;
        stepping += i > 0 && t[i] - t[i - 1] == 2;
        mostDigit = std::max<int>(
            mostDigit, int(std::count_if(t.begin(), t.end(), [&](int n) { return n % 10 == t[i] % 10; })));
    }
    EXPECT_TRUE(filters.range(FilterKind::Sum)->holds(sum));
    EXPECT_TRUE(filters.range(FilterKind::Low)->holds(low));
    EXPECT_TRUE(filters.range(FilterKind::Stepping)->holds(stepping));
    EXPECT_LE(mostDigit, *filters.sameLastDigitMax);
    for (const DrawRecord& draw : history) {
        int shared = 0;
        for (int k = 1; k <= kMainCount; ++k)
            shared += int(std::count(t.begin(), t.end(), draw.ball(k)));
        EXPECT_LE(shared, *filters.pastMatchMax);
    }
}

TEST(TicketDrawTest, TicketsAreDistinctSortedPassingAndFollowTheSeed) {
    const CombinationFilters filters = someFilters();
    const GeneratorCounts counts = countCombinations(filters, kHistory);
    ASSERT_GT(counts.all.passing, 1000);
    const auto draw = [&](std::uint64_t seed) {
        return drawTickets(counts.passingBits, counts.all.passing, 50, seed);
    };
    const std::vector<Combination> tickets = draw(20261209);
    ASSERT_EQ(tickets.size(), 50u);
    EXPECT_TRUE(std::is_sorted(tickets.begin(), tickets.end()));
    EXPECT_EQ(std::set(tickets.begin(), tickets.end()).size(), tickets.size());
    for (const Combination& ticket : tickets) {
        EXPECT_TRUE(std::is_sorted(ticket.begin(), ticket.end()));
        expectPasses(ticket, filters, kHistory);
    }
    EXPECT_EQ(draw(20261209), tickets);
    EXPECT_NE(draw(20261210), tickets);
}

TEST(TicketDrawTest, FewerPassingThanAskedForGivesThemAll) {
    CombinationFilters filters;
    filters.poolKind = PoolKind::Cycle7;
    filters.pool = {2, 4, 6, 8, 10, 12, 14, 16};
    const GeneratorCounts counts = countCombinations(filters, kHistory);
    ASSERT_EQ(counts.all.passing, 8);
    const std::vector<Combination> tickets = drawTickets(counts.passingBits, counts.all.passing, 10, 1);
    ASSERT_EQ(tickets.size(), 8u);
    EXPECT_EQ(tickets.front(), (Combination{2, 4, 6, 8, 10, 12, 14}));
    EXPECT_EQ(tickets.back(), (Combination{4, 6, 8, 10, 12, 14, 16}));

    filters.pool.pop_back();
    filters.pool.pop_back();
    const GeneratorCounts none = countCombinations(filters, kHistory);
    EXPECT_EQ(none.all.passing, 0);
    EXPECT_TRUE(drawTickets(none.passingBits, 0, 10, 1).empty());
}

TEST(TicketDrawTest, BadRangesAreRefusedByName) {
    for (const auto& [kind, text, message] : std::vector<std::tuple<FilterKind, std::string, std::string>>{
             {FilterKind::Sum, "300-10", "数字合計の範囲「300-10」は下限が上限より大きく"},
             {FilterKind::Sum, "10-100", "28 から 238 の間"},
             {FilterKind::Odd, "0-9", "奇数の個数の範囲「0-9」は 0 から 7 の間"},
             {FilterKind::Consecutive, "1-", "「下限-上限」の形ではありません"},
             {FilterKind::Low, "a", "低数字の個数"}}) {
        const Result<CountRange> range = rangeFromText(kind, text);
        ASSERT_FALSE(range) << text;
        EXPECT_NE(range.error().message.find(message), std::string::npos) << range.error().message;
    }
    EXPECT_EQ(rangeFromText(FilterKind::Previous, "2").value().high, 2);
    EXPECT_FALSE(boundFromText(FilterKind::SameLastDigitMax, "0"));
    EXPECT_FALSE(boundFromText(FilterKind::PastMatchMax, "8"));
    EXPECT_EQ(boundFromText(FilterKind::PastMatchMax, "0").value(), 0);
    EXPECT_FALSE(poolFromText("cycle8"));
}

} // namespace
} // namespace kazutama
