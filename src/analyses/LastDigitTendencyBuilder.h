#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 下一桁出現傾向分析: for every complete draw, each last digit written once per number of the draw ending in
// it.
ResultGrid buildLastDigitTendency(const Snapshot& snapshot);

} // namespace kazutama
