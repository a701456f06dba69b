#pragma once

#include "prediction/CycleTable.h"

#include <array>
#include <vector>

namespace kazutama {

// Everything one prediction run shows, in the order the view writes it.
struct PredictionRun {
    std::array<CycleRowTexts, kCycleRowCount> cycleRows;
    int shift = 0;
    std::vector<int> elimination;
    std::vector<int> multiple;
    std::vector<int> oneShot;
};

} // namespace kazutama
