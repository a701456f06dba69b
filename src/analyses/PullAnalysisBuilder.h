#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 引っ張り分析: every complete draw on its own row, each number that the previous complete draw also
// had (as a main or a bonus number alike) marked, so numbers pulled over from one draw to the next stand out.
ResultGrid buildPullAnalysis(const Snapshot& snapshot);

} // namespace kazutama
