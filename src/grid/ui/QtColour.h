#pragma once

#include "grid/Rgb.h"

#include <QColor>
#include <optional>

namespace kazutama {

// The core names its colours as Rgb; the windows paint them as QColor.
inline QColor qcolor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}
inline QColor qcolor(std::optional<Rgb> rgb, QColor fallback) {
    return rgb ? qcolor(*rgb) : fallback;
}

} // namespace kazutama
