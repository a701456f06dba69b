#pragma once

#include "grid/ResultGrid.h"

namespace kazutama {

inline constexpr int kLastDigitColumns = 11; // the draw number, then the digits 0 to 9
inline constexpr int kFirstLastDigitRow = 3; // below the title row and the digit captions

inline int lastDigitColumn(int digit) {
    return digit + 2;
}

// The frame shared by the two last-digit views: the draw-number column and the heading mirrored at the
// bottom, so that the digit captions sit next to the draw rows at both ends. Rows 3 to drawRows + 2 are left
// for the view.
ResultGrid makeLastDigitFrame(int drawRows);

} // namespace kazutama
