#include "store/StartupSummary.h"

namespace kazutama {

StartupSummary computeStartupSummary(const DrawHistory& history) {
    StartupSummary summary;
    if (history.empty())
        return summary;

    for (const DrawRecord& draw : history) {
        if (!draw.isComplete())
            continue;
        for (int n : draw.numbers)
            ++summary.numberCounts[n];
        summary.latestDrawNumber = draw.drawNumber;
    }

    summary.groupRowCount = 1;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const int count = summary.numberCounts[n];
        if (count > summary.maxCount) {
            summary.maxCount = count;
            summary.countGroups.resize(count + 1);
        }
        std::string& group = summary.countGroups[count];
        if (group.empty()) {
            group = std::to_string(n);
            ++summary.groupRowCount;
        } else {
            group += ',';
            group += std::to_string(n);
        }
    }
    return summary;
}

} // namespace kazutama
