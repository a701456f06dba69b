#include "tickets/ui/TicketView.h"

#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "store/TicketStore.h"
#include "tickets/SearchGrids.h"
#include "tickets/ui/HistoryCheckView.h"
#include "ui/UiTestSupport.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

TicketView* openTickets(ProgramFixture& program) {
    program.trigger("mnuTickets");
    QMdiSubWindow* window = program.window().openedView(qs(kTicketViewName));
    return window ? qobject_cast<TicketView*>(window->widget()) : nullptr;
}

std::vector<Ticket> storedTickets(ProgramFixture& program) {
    auto store = DrawStore::open(program.window().connectionString(), Access::ReadOnly);
    EXPECT_TRUE(store);
    auto tickets = loadTickets(*store);
    EXPECT_TRUE(tickets);
    return tickets ? *tickets : std::vector<Ticket>{};
}

void type(TicketView* view, const QString& numbers, int first, int last) {
    view->numbersField()->setText(numbers);
    view->firstDrawField()->setValue(first);
    view->lastDrawField()->setValue(last);
}

TEST(TicketViewTest, ATicketTypedIsStoredAndItsDrawsShowWinsAndDrawsToCome) {
    ProgramFixture program; // the sample: draw 695 is 5 6 11 16 22 24 34
    TicketView* view = openTickets(program);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->tickets().empty());
    EXPECT_EQ(view->firstDrawField()->value(), 696); // the next draw

    type(view, QStringLiteral("34 24 22 16 11 6 5"), 694, 697);
    QTest::keyClick(view->numbersField(), Qt::Key_Return);
    EXPECT_EQ(view->messageText(), QStringLiteral("購入数字1 を追加しました。"));
    const std::vector<Ticket> stored = storedTickets(program);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], (Ticket{1, {5, 6, 11, 16, 22, 24, 34}, 694, 697, ""}));

    ASSERT_EQ(view->selectedTicket(), 0);
    const ResultGrid& draws = view->grid(TicketView::Draws)->grid();
    ASSERT_EQ(draws.rowCount(), drawrows::kHeadingRows + 4);
    EXPECT_EQ(draws.text(drawrows::kTierColumn, 3), "1等");
    EXPECT_EQ(draws.text(drawrows::kTierColumn, 4), "未抽選");
    EXPECT_EQ(draws.text(drawrows::kDrawColumn, 5), "697");
    EXPECT_EQ(view->grid(TicketView::List)->grid().text(ticketlist::kFirstTierColumn, 2), "1");

    // Changed and then deleted after the confirmation; a "no" deletes nothing.
    type(view, QStringLiteral("1 2 3 4 5 6 7"), 600, 600);
    view->changeTicket();
    EXPECT_EQ(storedTickets(program)[0].numbers, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
    program.dialogs.answer(false);
    view->deleteTicket();
    EXPECT_EQ(storedTickets(program).size(), 1u);
    program.dialogs.answer(true);
    view->deleteTicket();
    EXPECT_TRUE(storedTickets(program).empty());
    EXPECT_TRUE(view->tickets().empty());
}

TEST(TicketViewTest, BadTicketsShowTheMessageAndWriteNothing) {
    ProgramFixture program;
    TicketView* view = openTickets(program);
    ASSERT_NE(view, nullptr);
    for (const auto& [numbers, first, last, message] : std::vector<std::tuple<QString, int, int, QString>>{
             {"0 2 3 4 5 6 7", 1, 1, "購入数字 0 は 1 から 37 の数字ではありません"},
             {"1 2 3 4 5 6 38", 1, 1, "購入数字 38 は"},
             {"1 2 3 4 5 6 6", 1, 1, "購入数字 6 が 2 回あります"},
             {"1 2 3 4 5 6", 1, 1, "7 個指定してください"},
             {"1 2 3 4 5 6 7", 9, 8, "終了回（第8回）が開始回（第9回）より前です"}}) {
        type(view, numbers, first, last);
        view->addTicket();
        EXPECT_TRUE(view->messageText().contains(message)) << view->messageText().toStdString();
    }
    EXPECT_TRUE(storedTickets(program).empty());
}

TEST(TicketViewTest, TheSelectedTicketGoesToTheCheckAgainstEveryDraw) {
    ProgramFixture program;
    TicketView* view = openTickets(program);
    ASSERT_NE(view, nullptr);
    type(view, QStringLiteral("3 8 14 19 25 30 36"), 690, 690);
    view->addTicket();
    ASSERT_EQ(view->selectedTicket(), 0);
    QTest::mouseClick(view->findChild<QPushButton*>("Cmd照合"), Qt::LeftButton);
    QMdiSubWindow* window = program.window().openedView(qs(kHistoryCheckViewName));
    ASSERT_NE(window, nullptr);
    auto* check = qobject_cast<HistoryCheckView*>(window->widget());
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->hasResult());
    EXPECT_EQ(check->numbersField()->text(), QStringLiteral("3 8 14 19 25 30 36"));
}

} // namespace
} // namespace kazutama
