#pragma once

#include "grid/ResultGrid.h"
#include "store/DrawHistory.h"
#include "store/StartupSummary.h"

namespace kazutama {

// 数字合計分析: every complete draw with the sum of its seven main numbers and the sum of all nine.
ResultGrid buildNumberSum(const DrawHistory& history, const StartupSummary& summary);

} // namespace kazutama
