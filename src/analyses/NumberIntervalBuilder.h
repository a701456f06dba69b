#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 数字間隔分析: every stored draw with its nine numbers, and beside each number its signed change from the
// number in the same position of the draw listed before it.
ResultGrid buildNumberInterval(const Snapshot& snapshot);

} // namespace kazutama
