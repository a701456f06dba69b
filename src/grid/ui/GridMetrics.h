#pragma once

#include <QFont>

namespace kazutama {

// The grid font and the pixel sizes of the grids' own units: column widths in character widths of that
// font, row heights in points.
class GridMetrics {
public:
    // The font every grid uses; its digit width is the unit of column widths.
    static QFont font();
    static int columnPixels(double characterWidths);
    static int rowPixels(double points);
    // The height, in points, of each line of a text that goes on over several lines: that of the tables'
    // one-line rows of numbers.
    static constexpr double kWrappedLineHeight = 10;
};

} // namespace kazutama
