#pragma once

class QMdiArea;

namespace kazutama {

// The four arrangements of the ウィンドウ menu.
// Cascade steps the windows down and to the right by a title bar each, every window keeping its own size
// where that fits the area from its place (QMdiArea's own cascade shrinks them all to a small default).
void cascade(QMdiArea* area);
void tileOneAboveTheOther(QMdiArea* area);
void tileSideBySide(QMdiArea* area);
void arrangeIcons(QMdiArea* area);

} // namespace kazutama
