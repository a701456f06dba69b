#pragma once

#include "common/Result.h"
#include "store/DrawHistory.h"

#include <string_view>
#include <vector>

namespace kazutama {

// 数字検索: the complete draws that hold every one of one to seven numbers, beside how many a history of
// that many draws holds by chance alone. Every draw is a uniform pick, so the expectation is exact:
// draws × C(37 − k, 7 − k) / C(37, 7) for the main numbers, × C(37 − k, 9 − k) / C(37, 9) with the bonus
// numbers too.
struct NumberSearch {
    std::vector<int> numbers; // ascending
    bool withBonus = false;   // whether a bonus number counts as holding it
    int completeDraws = 0;
    std::vector<DrawRecord> found; // in draw order
    double expected = 0;           // the mean count of such draws if the draws are fair
};

// What the messages call the numbers searched for.
inline constexpr std::string_view kSearchedNumbers = "探す数字";

// The numbers are checked as typed (checkedNumbers): one to seven distinct numbers from 1 to 37.
Result<NumberSearch> searchNumbers(const DrawHistory& history, std::vector<int> numbers, bool withBonus);

} // namespace kazutama
