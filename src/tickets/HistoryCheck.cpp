#include "tickets/HistoryCheck.h"

#include "tickets/PickedNumbers.h"

#include <algorithm>
#include <string>

namespace kazutama {

TicketHits ticketHits(const std::array<int, kMainCount>& ticket, const DrawRecord& draw) {
    const auto among = [&](auto first, auto last) {
        return int(std::count_if(ticket.begin(), ticket.end(),
                                 [&](int n) { return std::find(first, last, n) != last; }));
    };
    const auto bonus = draw.numbers.begin() + kMainCount;
    TicketHits hits{among(draw.numbers.begin(), bonus), among(bonus, draw.numbers.end()), 0};
    hits.tier = prizeTier(hits.main, hits.bonus > 0);
    return hits;
}

std::array<double, kPrizeTierCount + 1> expectedTierCounts(int draws) {
    std::array<double, kPrizeTierCount + 1> expected{};
    double noPrize = 1;
    for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
        expected[std::size_t(tier)] = draws * prizeTierChance(tier);
        noPrize -= prizeTierChance(tier);
    }
    expected[0] = draws * noPrize;
    return expected;
}

Result<HistoryCheck> checkAgainstHistory(const DrawHistory& history, std::vector<int> numbers) {
    auto checked = checkedNumbers(std::move(numbers), kMainCount, kMainCount, kCheckedNumbers);
    if (!checked)
        return checked.error();
    numbers = std::move(checked).value();

    HistoryCheck check;
    std::copy(numbers.begin(), numbers.end(), check.numbers.begin());
    // A result ranks by its tier (1 best, no prize last), then by its main hits.
    const auto rank = [](int tier, int hits) { return (tier == 0 ? kPrizeTierCount + 1 : tier) * 10 - hits; };
    int bestRank = rank(0, -1);
    for (const DrawRecord& draw : history) {
        if (!draw.isComplete())
            continue;
        ++check.completeDraws;
        const TicketHits hits = ticketHits(check.numbers, draw);
        ++check.tierCounts[std::size_t(hits.tier)];
        ++check.mainHitCounts[std::size_t(hits.main)];
        const int r = rank(hits.tier, hits.main);
        if (r < bestRank) {
            bestRank = r;
            check.bestDraws.clear();
            check.bestTier = hits.tier;
            check.bestMainHits = hits.main;
        }
        if (r == bestRank)
            check.bestDraws.push_back(draw);
    }
    check.tierExpected = expectedTierCounts(check.completeDraws);
    for (int hits = 0; hits <= kMainCount; ++hits)
        check.mainHitExpected[std::size_t(hits)] = check.completeDraws * mainHitChance(kMainCount, hits);
    return check;
}

} // namespace kazutama
