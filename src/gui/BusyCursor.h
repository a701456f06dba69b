#pragma once

#include <QApplication>
#include <QCursor>

namespace kazutama {

// The hourglass for the length of a scope. By default pending window messages are processed once after it
// appears, so the window repaints and clicks queued before a long step run first.
class BusyCursor {
public:
    enum class Pump { Once, No };

    explicit BusyCursor(Pump pump = Pump::Once) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (pump == Pump::Once)
            QApplication::processEvents();
    }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace kazutama
