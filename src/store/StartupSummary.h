#pragma once

#include "store/DrawHistory.h"

#include <array>
#include <string>
#include <vector>

namespace kazutama {

// The one summarising pass over the history made at start-up.
struct StartupSummary {
    // Appearances of each number 1..37 among all nine numbers of the complete records; index 0 unused.
    std::array<int, kHighestNumber + 1> numberCounts{};
    int maxCount = 0;
    // Entry c lists the numbers whose count is c, ascending, joined by "," ("" where none has it).
    // Always covers 0..maxCount.
    std::vector<std::string> countGroups{std::string()};
    // 1 + the number of distinct counts; 0 for an empty history.
    int groupRowCount = 0;
    // Draw number of the last complete record; 0 when there is none.
    int latestDrawNumber = 0;
};

StartupSummary computeStartupSummary(const DrawHistory& history);

} // namespace kazutama
