#include "grid/ui/GridMetrics.h"

#include <QFontMetrics>
#include <cmath>

namespace kazutama {

QFont GridMetrics::font() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(11);
    return font;
}

int GridMetrics::columnPixels(double characterWidths) {
    // One character width is a digit plus its share of spacing, so a width of 2 holds a full-width mark.
    static const int characterPixels = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')) + 1;
    return int(std::lround(characterWidths * characterPixels + 4));
}

int GridMetrics::rowPixels(double points) {
    return int(std::lround(points * 4.0 / 3.0));
}

} // namespace kazutama
