#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 連番飛び石分析: every complete draw twice side by side, with the neighbouring main numbers that follow
// each other (連番) marked on the left and those one number apart (飛び石) on the right.
ResultGrid buildConsecutiveNumbers(const Snapshot& snapshot);

} // namespace kazutama
