#pragma once

#include "prediction/DrawTable.h"

#include <array>
#include <vector>

namespace kazutama {

inline constexpr int kWindowDrawCount = 4;
inline constexpr int kWindowPositions = kMainCount + 1; // the second bonus number plays no part
inline constexpr int kMultiplePredictionSize = 14;
inline constexpr int kOneShotPredictionSize = 7;

// The four draws before the latest one, moved back by the shift. The latest draw itself is never in it.
class DrawWindow {
public:
    DrawWindow(int latestDrawNumber, int shift);

    const std::array<int, kWindowDrawCount>& drawNumbers() const { return m_drawNumbers; }

    // Numbers that stand exactly once among positions 1..8 of the four draws, in window order (nearest
    // draw first, position 1 first), at most `limit` of them. A draw that is not stored adds nothing.
    std::vector<int> candidates(const DrawTable& table, int limit) const;

private:
    std::array<int, kWindowDrawCount> m_drawNumbers;
};

} // namespace kazutama
