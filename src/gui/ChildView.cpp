#include "gui/ChildView.h"

#include "gui/BusyCursor.h"
#include "gui/ViewGuard.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace kazutama {

ChildView::ChildView(ViewGuard& guard, QWidget* parent) : QWidget(parent), m_guard(guard) {}

void ChildView::load(QMdiSubWindow* window) {
    m_window = window;
    {
        BusyCursor busy(messagePump() == MessagePump::BeforeBuild ? BusyCursor::Pump::Once
                                                                  : BusyCursor::Pump::No);
        m_guard.set(false);
        m_loaded = true;
        const ViewGeometry g = geometryInTwips();
        window->setGeometry(twipsToPixels(g.left), twipsToPixels(g.top), twipsToPixels(g.width),
                            twipsToPixels(g.height));
        build();
        if (messagePump() == MessagePump::AfterBuild)
            QApplication::processEvents();
    }
}

void ChildView::closeView() {
    if (m_window)
        m_window->close();
    else
        close();
}

void ChildView::closeEvent(QCloseEvent* event) {
    // The sub-window forwards its close here first; the unload runs once however the view is closed.
    if (m_loaded) {
        m_loaded = false;
        m_guard.set(true);
    }
    event->accept();
}

} // namespace kazutama
