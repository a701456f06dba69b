#pragma once

#include "store/DrawRecord.h"

#include <cstdint>
#include <vector>

namespace kazutama {

// The numbers of every complete draw by draw number and ball position 1..9. Rows of draws that are not
// stored, and every draw number outside the table (below 1 or above the highest stored), read as 0,
// so look-ups reaching before the start of a short history behave like missing draws.
class DrawTable {
public:
    void clear();
    // Rows 0..highestDrawNumber, all 0.
    void reset(int highestDrawNumber);
    // The record must be complete and its draw number within the table.
    void store(const DrawRecord& record);

    int at(int drawNumber, int position) const {
        if (drawNumber < kLowestDrawNumber || drawNumber > m_highestDrawNumber || position < 1 ||
            position > kBallCount)
            return kNoNumber;
        return m_cells[static_cast<std::size_t>(drawNumber) * kBallCount + position - 1];
    }

    int highestDrawNumber() const { return m_highestDrawNumber; }

private:
    std::vector<std::int16_t> m_cells;
    int m_highestDrawNumber = 0;
};

} // namespace kazutama
