#pragma once

#include "gui/BusyCursor.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <functional>

class QProgressDialog;
class QWidget;

namespace kazutama {

// Long work the user can follow and stop: the hourglass at once and, once the work has gone on for about
// two seconds, a dialog with how far it has come and キャンセル. The work calls report() (through
// callback()) now and then; it stops when that returns false.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, QString label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // False once the user has pressed キャンセル.
    bool report(std::size_t done, std::size_t total);
    std::function<bool(std::size_t, std::size_t)> callback() {
        return [this](std::size_t done, std::size_t total) { return report(done, total); };
    }

private:
    BusyCursor m_busy{BusyCursor::Pump::No};
    QWidget* m_parent;
    QString m_label;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace kazutama
