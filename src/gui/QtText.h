#pragma once

#include "grid/Rgb.h"

#include <QColor>
#include <QString>

#include <optional>
#include <string_view>

namespace kazutama {

// The core keeps its texts as UTF-8 and its colours as Rgb; the windows show them as QString and QColor.
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline QColor qcolor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
inline QColor qcolor(std::optional<Rgb> rgb, QColor fallback) { return rgb ? qcolor(*rgb) : fallback; }

} // namespace kazutama
