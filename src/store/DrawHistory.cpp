#include "store/DrawHistory.h"

#include <algorithm>

namespace kazutama {

DrawHistory historyFromStoredRows(const std::vector<StoredDraw>& rows) {
    std::vector<DrawRecord> records;
    records.reserve(rows.size());
    for (const StoredDraw& row : rows) {
        if (row.drawNumber < kLowestDrawNumber || row.drawNumber > kHighestDrawNumber)
            continue;
        DrawRecord record{int(row.drawNumber), {}};
        for (int i = 0; i < kBallCount; ++i)
            record.numbers[std::size_t(i)] = numberOrNone(row.numbers[std::size_t(i)]);
        records.push_back(record);
    }
    // The saved query orders by draw number; a query another tool saved may not, or may repeat a draw.
    const auto byDraw = [](const DrawRecord& a, const DrawRecord& b) { return a.drawNumber < b.drawNumber; };
    if (!std::is_sorted(records.begin(), records.end(), byDraw))
        std::stable_sort(records.begin(), records.end(), byDraw);
    records.erase(
        std::unique(records.begin(), records.end(),
                    [](const DrawRecord& a, const DrawRecord& b) { return a.drawNumber == b.drawNumber; }),
        records.end());
    return DrawHistory(std::move(records));
}

} // namespace kazutama
