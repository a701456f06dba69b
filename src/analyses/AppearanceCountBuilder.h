#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 出現回数分析: every complete draw with its nine numbers, and beside each number how many times it had
// appeared, as a main or a bonus number, in the complete draws before it.
ResultGrid buildAppearanceCount(const Snapshot& snapshot);

} // namespace kazutama
