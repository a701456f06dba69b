#include "gui/WorkProgress.h"

#include "gui/Dialogs.h"

#include <QApplication>
#include <QProgressDialog>

namespace kazutama {

namespace {

// Work that ends sooner shows the hourglass alone.
constexpr qint64 kDialogAfterMs = 2000;

} // namespace

WorkProgress::WorkProgress(QWidget* parent, QString label) : m_parent(parent), m_label(std::move(label)) {
    m_clock.start();
}

WorkProgress::~WorkProgress() {
    delete m_dialog.data();
}

bool WorkProgress::report(std::size_t done, std::size_t total) {
    if (!m_dialog && m_clock.elapsed() >= kDialogAfterMs) {
        m_dialog = new QProgressDialog(m_label, QStringLiteral("キャンセル"), 0, 1000, m_parent);
        m_dialog->setWindowTitle(applicationTitle());
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        // The hourglass with an arrow: キャンセル can be clicked.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    }
    if (!m_dialog)
        return true;
    // A modal progress dialog lets the clicks through while it is set.
    m_dialog->setValue(total == 0 ? 0 : int(1000 * done / total));
    return !m_dialog->wasCanceled();
}

} // namespace kazutama
