#pragma once

#include "grid/Rgb.h"

// The colours that recur across the analysis tables, named once.
namespace kazutama::colours {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

// The graded highlight scale, weak to strong.
inline constexpr Rgb kPaleCyan{200, 255, 255};
inline constexpr Rgb kPaleGreen{200, 255, 200};
inline constexpr Rgb kPaleYellow{255, 255, 200};
inline constexpr Rgb kPaleMagenta{255, 200, 255};
inline constexpr Rgb kPalePink{255, 200, 200};

inline constexpr Rgb kVeryPaleCyan{222, 254, 253};
inline constexpr Rgb kLightBlueBorder{136, 196, 255};

// What a cell shows where its grid sets no colour of its own, on screen, on paper and in a file.
inline constexpr Rgb kDefaultBackground = kWhite;
inline constexpr Rgb kDefaultText = kBlack;
inline constexpr Rgb kDefaultBorder = kBlack;

// The dot marks by the kind of number.
inline constexpr Rgb kMainNumberDot{62, 158, 255};
inline constexpr Rgb kFirstBonusDot{255, 128, 192};
inline constexpr Rgb kSecondBonusDot{0, 255, 170};

// The pull view's mark of a number drawn in the previous draw, and the division views' mark of a group
// without a winning number.
inline constexpr Rgb kPreviousDrawNumber{128, 255, 255};
inline constexpr Rgb kNoWinningNumber{224, 224, 224};

} // namespace kazutama::colours
