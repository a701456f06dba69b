#include "tickets/NumberSearch.h"

#include "prediction/Odds.h"
#include "tickets/PickedNumbers.h"

#include <algorithm>
#include <string>

namespace kazutama {

Result<NumberSearch> searchNumbers(const DrawHistory& history, std::vector<int> numbers, bool withBonus) {
    auto checked = checkedNumbers(std::move(numbers), 1, kMainCount, kSearchedNumbers);
    if (!checked)
        return checked.error();
    numbers = std::move(checked).value();

    NumberSearch search{numbers, withBonus, 0, {}, 0};
    const int drawn = withBonus ? kBallCount : kMainCount;
    for (const DrawRecord& draw : history) {
        if (!draw.isComplete())
            continue;
        ++search.completeDraws;
        const auto first = draw.numbers.begin(), last = first + drawn;
        if (std::all_of(numbers.begin(), numbers.end(),
                        [&](int n) { return std::find(first, last, n) != last; }))
            search.found.push_back(draw);
    }
    const int k = int(numbers.size());
    search.expected =
        search.completeDraws * binomial(kHighestNumber - k, drawn - k) / binomial(kHighestNumber, drawn);
    return search;
}

} // namespace kazutama
