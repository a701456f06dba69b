#include "prediction/DrawTable.h"

namespace kazutama {

void DrawTable::clear() {
    m_cells.clear();
    m_highestDrawNumber = 0;
}

void DrawTable::reset(int highestDrawNumber) {
    m_highestDrawNumber = highestDrawNumber < 0 ? 0 : highestDrawNumber;
    m_cells.assign(static_cast<std::size_t>(m_highestDrawNumber + 1) * kBallCount, kNoNumber);
}

void DrawTable::store(const DrawRecord& record) {
    const std::size_t row = static_cast<std::size_t>(record.drawNumber) * kBallCount;
    for (int i = 0; i < kBallCount; ++i)
        m_cells[row + i] = static_cast<std::int16_t>(record.numbers[i]);
}

} // namespace kazutama
