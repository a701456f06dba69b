#include "entry/EntryModel.h"
#include "entry/EntryView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/PredictionEngine.h"
#include "prediction/ui/PredictionView.h"
#include "store/DrawStore.h"
#include "store/TicketStore.h"
#include "tickets/TicketRules.h"
#include "ui/UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

const std::array<int, kBallCount> kDrawn = {3, 8, 14, 21, 25, 30, 36, 2, 19};

ConnectionString connectionIn(ProgramFixture& program) {
    return ConnectionString::forApplicationFolder(program.dir.path());
}

int newestDraw(ProgramFixture& program) {
    const DrawHistory history = DrawStore::open(connectionIn(program))->loadHistory().value();
    return std::prev(history.end())->drawNumber;
}

// Stores tickets before the program starts; returns their ids.
std::vector<int> storeTickets(ProgramFixture& program, const std::vector<std::pair<int, int>>& ranges) {
    auto store = DrawStore::open(connectionIn(program));
    std::vector<Ticket> tickets;
    for (const auto& [first, last] : ranges)
        tickets.push_back(checkedTicket({3, 8, 14, 19, 21, 25, 30}, first, last, "").value());
    return addTickets(*store, tickets).value();
}

// Adds the draw after the newest in the entry view, typed as a user types it, and closes the view.
void enterNextDraw(ProgramFixture& program) {
    program.closeView(qs(kPredictionViewName));
    program.trigger("mnuMasterInput");
    auto* view = qobject_cast<EntryView*>(program.window().openedView(qs(kEntryViewName))->widget());
    EntryModel* model = view->model();
    const int last = model->rowCount() - 1;
    view->grid()->setCurrentIndex(model->index(last, 3));
    program.dialogs.answer(true);
    view->addLine();
    for (int column = 1; column <= kBallCount; ++column) {
        const QModelIndex index = model->index(last + 1, column);
        view->grid()->setCurrentIndex(index);
        view->grid()->edit(index);
        auto* editor = view->grid()->findChild<QLineEdit*>("numberEditor");
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QString::number(kDrawn[std::size_t(column - 1)]));
        QTest::keyClick(editor, Qt::Key_Return);
        ProgramFixture::settle();
    }
    program.dialogs.messages.clear();
    view->validateAndClose();
    ProgramFixture::settle();
}

TEST(TicketNotificationTest, ADrawEnteredForATicketIsToldInOneMessageAndOtherTicketsStayQuiet) {
    int drawn = 0;
    std::vector<int> ids;
    ProgramFixture program(true, [&](ProgramFixture& p) {
        drawn = newestDraw(p) + 1;
        // A purchase over three draws, one only for a later draw, one long drawn.
        ids = storeTickets(p, {{drawn - 1, drawn + 1}, {drawn + 2, drawn + 2}, {drawn - 5, drawn - 5}});
    });
    enterNextDraw(program);
    ASSERT_EQ(program.window().workspace().summary().latestDrawNumber, drawn);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    const auto& told = program.dialogs.messages.front();
    EXPECT_EQ(told.title, "Kazutama");
    EXPECT_FALSE(told.underBusyCursor);
    const QStringList lines = told.text.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << told.text.toStdString();
    // Six of the main numbers and the bonus number 19.
    EXPECT_EQ(lines[1], QStringLiteral("第%1回: 購入数字%2 … 2等（本数字6個一致、ボーナス数字1個一致）")
                            .arg(drawn)
                            .arg(ids[0]));
}

TEST(TicketNotificationTest, NoTicketNoMessage) {
    ProgramFixture program;
    enterNextDraw(program);
    EXPECT_TRUE(program.dialogs.messages.empty());
    EXPECT_TRUE(program.window().statusBar()->currentMessage().isEmpty());
}

PredictionView* predictionView(ProgramFixture& program) {
    QMdiSubWindow* window = program.window().openedView(qs(kPredictionViewName));
    return window ? qobject_cast<PredictionView*>(window->widget()) : nullptr;
}

TEST(TicketNotificationTest, ThePredictionIsStoredAsATicketForTheDrawsChosen) {
    ProgramFixture program;
    PredictionView* view = predictionView(program);
    ASSERT_NE(view, nullptr);
    auto* command = view->findChild<QPushButton*>("Cmd購入数字に追加");
    ASSERT_NE(command, nullptr);
    ASSERT_TRUE(command->isEnabled());
    const auto stored = [&] {
        auto store = DrawStore::open(program.window().connectionString(), Access::ReadOnly);
        return loadTickets(*store).value();
    };

    command->click(); // cancelled at the choice of draws
    EXPECT_TRUE(stored().empty());
    ASSERT_EQ(program.dialogs.rowQuestions.size(), 1u);
    EXPECT_EQ(program.dialogs.rowQuestions[0].rows.size(), 10u);

    program.dialogs.rowChoices = {1};
    program.dialogs.choices = {0};
    command->click();
    const int next = program.window().workspace().summary().latestDrawNumber + 1;
    PredictionEngine engine;
    engine.fillTables(program.window().workspace().snapshot());
    std::vector<int> expected = engine.run(program.window().analysisOptions()).oneShot;
    std::sort(expected.begin(), expected.end());
    std::vector<Ticket> tickets = stored();
    ASSERT_EQ(tickets.size(), 1u);
    EXPECT_EQ(std::vector<int>(tickets[0].numbers.begin(), tickets[0].numbers.end()), expected);
    EXPECT_EQ(tickets[0].firstDraw, next);
    EXPECT_EQ(tickets[0].lastDraw, next + 1);
    EXPECT_EQ(tickets[0].memo, "一発Kazutama予想");
    ASSERT_FALSE(program.dialogs.messages.empty());
    EXPECT_TRUE(program.dialogs.messages.back().text.startsWith(
        QStringLiteral("購入数字を1件追加しました（第%1回～第%2回）。").arg(next).arg(next + 1)))
        << program.dialogs.messages.back().text.toStdString();
    // The run's one backup was taken before the first write.
    const auto backups = program.dir / "Kazutama-backups";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backups), {}), 1);

    // With the cycle rows: every row whose seven positions are filled comes too.
    int complete = 0;
    for (int row = 0; row < kCycleRowCount; ++row)
        complete += engine.cycleTable().shownNumbers(row).size() == std::size_t(kMainCount);
    program.dialogs.rowChoices = {0};
    program.dialogs.choices = {complete > 0 ? 1 : 0};
    command->click();
    tickets = stored();
    ASSERT_EQ(tickets.size(), std::size_t(2 + complete));
    for (std::size_t i = 2; i < tickets.size(); ++i) {
        EXPECT_TRUE(tickets[i].memo.starts_with("周期表 ")) << tickets[i].memo;
        EXPECT_EQ(tickets[i].firstDraw, next);
        EXPECT_EQ(tickets[i].lastDraw, next);
    }
}

TEST(TicketNotificationTest, 予想検証KeepsThePredictionViewsNumbers) {
    ProgramFixture program;
    ASSERT_NE(predictionView(program), nullptr);
    program.window().openView(qs(kBacktestViewName));
    QMdiSubWindow* window = program.window().openedView(qs(kBacktestViewName));
    ASSERT_NE(window, nullptr);
    auto* command = window->findChild<QPushButton*>("Cmd購入数字に追加");
    ASSERT_NE(command, nullptr);
    program.dialogs.rowChoices = {0};
    program.dialogs.choices = {0};
    command->click();
    auto store = DrawStore::open(program.window().connectionString(), Access::ReadOnly);
    const std::vector<Ticket> tickets = loadTickets(*store).value();
    ASSERT_EQ(tickets.size(), 1u);
    EXPECT_EQ(tickets[0].memo, "一発Kazutama予想");
    EXPECT_EQ(tickets[0].firstDraw, program.window().workspace().summary().latestDrawNumber + 1);
}

TEST(TicketNotificationTest, TheStatusBarNamesAnOldNewestDrawButNotAnUndatedOne) {
    int newest = 0;
    ProgramFixture dated(true, [&](ProgramFixture& p) {
        newest = newestDraw(p);
        DrawDates dates;
        dates.set(newest, *DrawDates::fromKey(20200103));
        auto store = DrawStore::open(connectionIn(p));
        ASSERT_TRUE(storeDrawDates(*store, dates));
    });
    auto* notice = dated.window().findChild<QLabel*>("lblStaleHistory");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QStringLiteral("最新の当選データは第%1回（2020年1月3日）です").arg(newest));

    ProgramFixture undated;
    EXPECT_TRUE(undated.window().findChild<QLabel*>("lblStaleHistory")->text().isEmpty());
}

} // namespace
} // namespace kazutama
