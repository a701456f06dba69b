#pragma once

class QMdiArea;

namespace kazutama {

// The four arrangements of the ウィンドウ menu. Cascade comes with QMdiArea; the directional tilings and
// the icon row are ours.
void tileOneAboveTheOther(QMdiArea* area);
void tileSideBySide(QMdiArea* area);
void arrangeIcons(QMdiArea* area);

} // namespace kazutama
