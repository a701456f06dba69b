#pragma once

namespace kazutama {

// Where a view's window sits, in twips (15 twips = 1 pixel at 96 dpi): Left, Top, Width and Height of the
// whole child window.
struct ViewGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A point inside a window, in twips from the top-left corner of its inner area.
struct TwipsPoint {
    int left = 0;
    int top = 0;
};

// When a view lets pending window messages through while it loads.
enum class MessagePump {
    BeforeBuild, // the usual frame
    Skipped,     // the window does not repaint before its table is built
    AfterBuild,
};

} // namespace kazutama
