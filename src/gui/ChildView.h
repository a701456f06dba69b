#pragma once

#include "common/ViewGeometry.h"

#include <QWidget>

class QHBoxLayout;
class QMdiSubWindow;

namespace kazutama {

class ViewGuard;

// A child window of the main window with the life cycle every view shares: it builds its whole content
// while it loads, under the hourglass, clears the ViewGuard, and sets it again when it unloads. Choosing its
// menu command again only brings it to the front; nothing is recomputed while it stays open.
class ChildView : public QWidget {
    Q_OBJECT
public:
    ChildView(ViewGuard& guard, QWidget* parent = nullptr);

    // The load step. The view must already sit in its sub-window, which gets the view's size.
    void load(QMdiSubWindow* window);

    // Unloads the view, as its "閉じる" button does.
    void closeView();

    bool isLoaded() const { return m_loaded; }

    // Its tables to the print preview, as its 印刷 does (Ctrl+P); a view with nothing to print does nothing.
    virtual void print() {}

protected:
    // Geometry of the window in twips (Left, Top, Width, Height of the whole child window).
    virtual ViewGeometry geometryInTwips() const = 0;
    virtual MessagePump messagePump() const { return MessagePump::BeforeBuild; }
    // Builds the content; runs once per opening.
    virtual void build() = 0;

    void closeEvent(QCloseEvent* event) override;

    // The row of buttons at the foot of the windows that are not the original analyses: "印刷" (Command2)
    // and "閉じる" (Command1) at the right.
    QHBoxLayout* printAndCloseRow();

private:
    void scrollWhenTooSmall();
    // While the page scrolls one way, the scroll areas on it (a grid) do not show their own bar that way.
    void leaveScrollingToThePage(Qt::Orientation orientation, bool pageScrolls);

    ViewGuard& m_guard;
    QWidget* m_page = nullptr;
    QMdiSubWindow* m_window = nullptr;
    bool m_loaded = false;
};

// Pixels of a length in twips (15 twips are one pixel at 96 dpi; Qt scales for denser screens).
inline int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace kazutama
