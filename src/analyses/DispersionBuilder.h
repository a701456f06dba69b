#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// バラツキ分析: the whole history as a chart, one row per complete draw and one column per number 1..37,
// with a dot, coloured by the kind of number, wherever the draw has the number; reading down a column shows
// how that number is scattered over the draws.
ResultGrid buildDispersion(const Snapshot& snapshot);

} // namespace kazutama
