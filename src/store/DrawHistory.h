#pragma once

#include "store/DrawRecord.h"

#include <cstddef>
#include <vector>

namespace kazutama {

// The read-only snapshot of every stored draw in ascending draw-number order, taken once at start-up.
// Draws entered afterwards reach the analyses only with the next snapshot.
class DrawHistory {
public:
    DrawHistory() = default;
    // The records must be in ascending draw-number order, as the saved query returns them.
    explicit DrawHistory(std::vector<DrawRecord> records) : m_records(std::move(records)) {}

    const std::vector<DrawRecord>& records() const { return m_records; }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }

private:
    std::vector<DrawRecord> m_records;
};

} // namespace kazutama
