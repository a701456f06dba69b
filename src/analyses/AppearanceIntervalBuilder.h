#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 出現間隔分析: every stored draw with its nine numbers, and beside each number how many draws earlier it
// had last been drawn, as a main or a bonus number alike.
ResultGrid buildAppearanceInterval(const Snapshot& snapshot);

} // namespace kazutama
