#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 下一桁連続出現回数分析: one row per draw number; where a last digit recurs in the next draw (or again in
// the same draw), the count of repeats its streak has reached.
ResultGrid buildLastDigitStreak(const Snapshot& snapshot);

} // namespace kazutama
