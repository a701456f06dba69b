#include "gui/Dialogs.h"

#include "gui/BusyCursor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
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

// Whatever a caller passes on (a whole bad file among it), the box fits on the screen, comes up at once and
// still begins with what the message says.
TEST(DialogsTest, AMessageBoxNeverOutgrowsTheScreen) {
    const QString start = QStringLiteral("1行目を読み込めません。");
    const QString texts[] = {
        start + QString(4'000'000, QLatin1Char('x')),
        start + QStringLiteral("\n原因").repeated(20'000),
        start + (QString(300, QChar(0x3042)) + QLatin1Char('\n')).repeated(100),
    };
    for (const QString& text : texts) {
        QRect shown;
        QString label;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = dialog->frameGeometry();
                label = dialog->property("text").toString();
                dialog->close();
            }
        });
        poll.start(10);
        QElapsedTimer clock;
        clock.start();
        Dialogs::instance().message(nullptr, "Kazutama", text, Dialogs::Icon::Critical);
        EXPECT_LT(clock.elapsed(), 5'000);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_LE(shown.height(), screen.height()) << text.size();
        EXPECT_LE(shown.width(), screen.width()) << text.size();
        EXPECT_TRUE(label.startsWith(start));
        EXPECT_LT(label.size(), 5'000);
    }
}

} // namespace
} // namespace kazutama
