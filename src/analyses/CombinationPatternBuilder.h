#pragma once

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

namespace kazutama {

// How the two combination-pattern views split the seven main numbers of a draw.
enum class CombinationPattern {
    LowHigh, // 低数字高数字の組合せパターン分析: 1..18 against 19..37
    EvenOdd, // 偶数奇数の組合せパターン分析
};

// Every complete draw with its two counts and the pattern letter A..H; `pattern` is a CombinationPattern.
ResultGrid buildCombinationPattern(const Snapshot& snapshot, int pattern);

} // namespace kazutama
