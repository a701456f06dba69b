#include "tickets/NumberSearch.h"

#include "prediction/Odds.h"

#include <algorithm>
#include <string>

namespace kazutama {

Result<NumberSearch> searchNumbers(const DrawHistory& history, std::vector<int> numbers, bool withBonus) {
    if (numbers.empty() || numbers.size() > std::size_t(kMainCount))
        return makeError(ErrorCode::InvalidData, "探す数字は 1 個から 7 個まで指定してください。");
    for (int n : numbers)
        if (!isValidNumber(n))
            return makeError(ErrorCode::InvalidData,
                             "探す数字 " + std::to_string(n) + " は 1 から 37 の数字ではありません。");
    std::sort(numbers.begin(), numbers.end());
    if (const auto twice = std::adjacent_find(numbers.begin(), numbers.end()); twice != numbers.end())
        return makeError(ErrorCode::InvalidData, "探す数字 " + std::to_string(*twice) + " が 2 回あります。");

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
