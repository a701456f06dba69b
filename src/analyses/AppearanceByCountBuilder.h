#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// 回数別出現分析: the numbers 1..37 grouped by how often they appeared, one line per appearance count that
// occurs. It shows the start-up summary alone and never reads the history.
ResultGrid buildAppearanceByCount(const Snapshot& snapshot);

} // namespace kazutama
