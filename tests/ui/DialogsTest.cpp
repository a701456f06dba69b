#include "gui/Dialogs.h"

#include "gui/BusyCursor.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Shows a real dialog in the middle of a long step; notes the pointer while it is up, then closes it.
bool pointerWasBusyWhileShown(const std::function<void()>& show) {
    BusyCursor busy(BusyCursor::Pump::No);
    bool busyWhileShown = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            busyWhileShown = QApplication::overrideCursor() != nullptr;
            dialog->close();
        }
    });
    poll.start(10);
    show();
    // The hourglass is back for the rest of the step.
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    return busyWhileShown;
}

TEST(DialogsTest, DialogsShownUnderTheHourglassShowTheNormalPointer) {
    EXPECT_FALSE(pointerWasBusyWhileShown([] {
        Dialogs::instance().message(nullptr, "Kazutama", "読み込めません。", Dialogs::Icon::Critical);
    }));
    EXPECT_FALSE(pointerWasBusyWhileShown(
        [] { Dialogs::instance().confirm(nullptr, "Kazutama", "よろしいですか？"); }));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace kazutama
