#pragma once

#include <QFont>

namespace kazutama {

// The font of the whole program: a Japanese one, at the size the windows' designed geometries fit.
inline QFont programFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
    return font;
}

} // namespace kazutama
