#include "gui/Dialogs.h"

#include "gui/BusyCursor.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
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

// The real table dialog: the first row that can be taken is selected, one that cannot is never taken, and
// every column shows its texts whole.
TEST(DialogsTest, ARowIsChosenFromATableOnlyWhereItCanBeTaken) {
    const Dialogs::RowChoice choice{"バックアップから復元",
                                    "復元するバックアップを選んでください。",
                                    {"日時", "回数", "最新の回"},
                                    {{{"2026年12月31日 23:59:59", "読み込めません", ""}, false},
                                     {{"2026年1月5日 10:30:00", "600", "第600回"}, true},
                                     {{"2025年12月20日 08:15:00", "10", "第10回"}, true}},
                                    "復元(&R)..."};
    for (const int clicked : {0, 2, -1}) { // a row that cannot be taken, the last row, none (Cancel)
        SCOPED_TRACE(clicked);
        int preselected = -1;
        bool cutText = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* table = dialog ? dialog->findChild<QTableWidget*>("rowChoiceTable") : nullptr;
            if (!table)
                return;
            poll.stop();
            preselected = table->currentRow();
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    cutText = cutText || table->fontMetrics().horizontalAdvance(table->item(r, c)->text()) >
                                             table->columnWidth(c);
            if (clicked >= 0)
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                                  table->visualRect(table->model()->index(clicked, 1)).center());
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            for (QAbstractButton* button : buttons->buttons())
                if (buttons->buttonRole(button) ==
                    (clicked >= 0 ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole))
                    button->click();
            if (dialog->isVisible()) // the button would not take the row
                qobject_cast<QDialog*>(dialog)->reject();
        });
        poll.start(10);
        const int taken = Dialogs::instance().chooseRow(nullptr, choice);
        EXPECT_EQ(preselected, 1);
        EXPECT_FALSE(cutText);
        EXPECT_EQ(taken, clicked == 2 ? 2 : clicked == 0 ? 1 : -1);
    }
}

} // namespace
} // namespace kazutama
