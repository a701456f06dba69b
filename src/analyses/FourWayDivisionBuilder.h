#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 分割4傾向分析: every complete draw with its nine numbers coloured by decade group (1-9, 10-19, 20-29,
// 30-37) and how many of them fall into each group.
ResultGrid buildFourWayDivision(const Snapshot& snapshot);

} // namespace kazutama
