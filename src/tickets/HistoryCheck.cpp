#include "tickets/HistoryCheck.h"

#include "tickets/PickedNumbers.h"

#include <algorithm>
#include <string>

namespace kazutama {

Result<HistoryCheck> checkAgainstHistory(const DrawHistory& history, std::vector<int> numbers) {
    auto checked = checkedNumbers(std::move(numbers), kMainCount, kMainCount, "照合する数字");
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
        const auto holds = [&](auto first, auto last) {
            return int(std::count_if(
                first, last, [&](int n) { return std::binary_search(numbers.begin(), numbers.end(), n); }));
        };
        const int hits = holds(draw.numbers.begin(), draw.numbers.begin() + kMainCount);
        const bool bonus = holds(draw.numbers.begin() + kMainCount, draw.numbers.end()) > 0;
        const int tier = prizeTier(hits, bonus);
        ++check.tierCounts[std::size_t(tier)];
        ++check.mainHitCounts[std::size_t(hits)];
        const int r = rank(tier, hits);
        if (r < bestRank) {
            bestRank = r;
            check.bestDraws.clear();
            check.bestTier = tier;
            check.bestMainHits = hits;
        }
        if (r == bestRank)
            check.bestDraws.push_back(draw);
    }
    double noPrize = 1;
    for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
        check.tierExpected[std::size_t(tier)] = check.completeDraws * prizeTierChance(tier);
        noPrize -= prizeTierChance(tier);
    }
    check.tierExpected[0] = check.completeDraws * noPrize;
    for (int hits = 0; hits <= kMainCount; ++hits)
        check.mainHitExpected[std::size_t(hits)] = check.completeDraws * mainHitChance(kMainCount, hits);
    return check;
}

} // namespace kazutama
