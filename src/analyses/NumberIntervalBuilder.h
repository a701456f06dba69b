#pragma once

#include "grid/ResultGrid.h"
#include "store/DrawHistory.h"
#include "store/StartupSummary.h"

namespace kazutama {

// 数字間隔分析: every stored draw with its nine numbers, and beside each number its signed change from the
// number in the same position of the draw listed before it.
ResultGrid buildNumberInterval(const DrawHistory& history, const StartupSummary& summary);

} // namespace kazutama
