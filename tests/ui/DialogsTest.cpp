#include "gui/Dialogs.h"

#include "gui/BusyCursor.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Real dialogs shown in the middle of a long step: the pointer is noted while each is up, then it is closed.
TEST(DialogsTest, DialogsShownUnderTheHourglassShowTheNormalPointer) {
    const std::function<void()> dialogs[] = {
        [] { Dialogs::instance().message(nullptr, "Kazutama", "読み込めません。", Dialogs::Icon::Critical); },
        [] { Dialogs::instance().confirm(nullptr, "Kazutama", "よろしいですか？"); },
    };
    for (const auto& show : dialogs) {
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
        EXPECT_FALSE(busyWhileShown);
        EXPECT_NE(QApplication::overrideCursor(), nullptr); // back for the rest of the step
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace kazutama
