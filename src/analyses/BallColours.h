#pragma once

#include "grid/Colours.h"
#include "store/DrawRecord.h"

namespace kazutama {

// The colour of a dot mark for a number drawn at ball position 1..9: main numbers, first bonus, second
// bonus, as the dot legends show them.
constexpr Rgb dotColour(int position) {
    if (position <= kMainCount)
        return colours::kMainNumberDot;
    return position == kMainCount + 1 ? colours::kFirstBonusDot : colours::kSecondBonusDot;
}

} // namespace kazutama
