#pragma once

// Histories for the tests and the bench, made as the store makes them: through historyFromStoredRows.
// Header-only, so that the bench uses the very same draws without linking the test support.

#include "store/DrawHistory.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace kazutama::test {

// The records as the store would read them back: normalised exactly as rows read from a file.
inline DrawHistory historyOf(const std::vector<DrawRecord>& records) {
    std::vector<StoredDraw> rows;
    rows.reserve(records.size());
    for (const DrawRecord& record : records) {
        StoredDraw& row = rows.emplace_back();
        row.drawNumber = record.drawNumber;
        std::copy(record.numbers.begin(), record.numbers.end(), row.numbers.begin());
    }
    return historyFromStoredRows(rows);
}

// Draws 1..count, each with seven distinct main numbers (sorted) and two further distinct bonus numbers,
// from a fixed seed.
inline DrawHistory makeRandomHistory(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<int> pool(kHighestNumber);
    std::iota(pool.begin(), pool.end(), kLowestNumber);
    std::vector<DrawRecord> records;
    records.reserve(std::size_t(count > 0 ? count : 0));
    for (int d = 1; d <= count; ++d) {
        std::shuffle(pool.begin(), pool.end(), rng);
        DrawRecord record{d, {}};
        std::copy_n(pool.begin(), kBallCount, record.numbers.begin());
        std::sort(record.numbers.begin(), record.numbers.begin() + kMainCount);
        records.push_back(record);
    }
    return historyOf(records);
}

} // namespace kazutama::test
