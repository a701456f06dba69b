#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 分割6/7/9データ分析: every complete draw as one row of 37 number columns cut into `groups` consecutive
// groups (6, 7 or 9), its nine numbers marked by kind and the groups none of them fell into greyed.
// Any other group count gives an empty table.
ResultGrid buildDivisionData(const Snapshot& snapshot, int groups);

} // namespace kazutama
