#pragma once

#include "grid/Rgb.h"

#include <string_view>

namespace kazutama {

// One mark of a colour legend, as a window shows it beside its description and a printed page under its
// caption: a dot or a square of the colour, and the caption after it.
struct LegendEntry {
    enum class Mark { Dot, Swatch };
    Mark mark;
    Rgb colour;
    std::string_view caption;
};

} // namespace kazutama
