#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 数字合計分析: every complete draw with the sum of its seven main numbers and the sum of all nine.
ResultGrid buildNumberSum(const Snapshot& snapshot);

} // namespace kazutama
