#pragma once

#include "grid/ResultGrid.h"
#include "store/DrawHistory.h"
#include "store/StartupSummary.h"

namespace kazutama {

// 下一桁連続出現回数分析: one row per draw number; where a last digit recurs in the next draw (or again in
// the same draw), the count of repeats its streak has reached.
ResultGrid buildLastDigitStreak(const DrawHistory& history, const StartupSummary& summary);

} // namespace kazutama
