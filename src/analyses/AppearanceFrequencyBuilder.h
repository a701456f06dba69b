#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 出現頻度分析: for every number 1..37 a bar of dots, one per appearance in draw order, coloured by
// whether the number was drawn as a main number or as the first or second bonus number.
ResultGrid buildAppearanceFrequency(const Snapshot& snapshot);

} // namespace kazutama
