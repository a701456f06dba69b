#pragma once

#include "store/DrawRecord.h"

#include <array>
#include <cstddef>
#include <vector>

namespace kazutama {

// One row of the saved query as stored, NULL read as 0. A file written by another tool may hold anything.
struct StoredDraw {
    long long drawNumber = 0;
    std::array<long long, kBallCount> numbers{};
};

// The read-only snapshot of every stored draw, taken once at start-up. Only historyFromStoredRows makes a
// non-empty one, so every history holds draws 1..32760 in strictly ascending order and numbers that are
// 1..37 or kNoNumber; nothing that reads it checks that again. Draws entered afterwards reach the
// analyses only with the next snapshot.
class DrawHistory {
public:
    DrawHistory() = default;

    const std::vector<DrawRecord>& records() const { return m_records; }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }

private:
    explicit DrawHistory(std::vector<DrawRecord> records) : m_records(std::move(records)) {}
    friend DrawHistory historyFromStoredRows(const std::vector<StoredDraw>& rows);

    std::vector<DrawRecord> m_records;
};

// The history the analyses can rely on, from the rows as stored: draws numbered 1..32760 in ascending order,
// each once (the first row of a draw number wins), every number 1..37 or not entered. A row without a usable
// draw number is left out; a number outside 1..37 counts as not entered, so the entry view shows it empty
// and the user can type the right one.
DrawHistory historyFromStoredRows(const std::vector<StoredDraw>& rows);

// A stored number as the analyses and the entry view see it.
inline int numberOrNone(long long stored) {
    return stored >= kLowestNumber && stored <= kHighestNumber ? int(stored) : kNoNumber;
}

} // namespace kazutama
