#include "prediction/ui/BacktestView.h"

#include "grid/ResultGrid.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/BacktestGrids.h"
#include "prediction/ui/PredictionView.h"
#include "ui/UiTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

// A grid's texts, row by row.
std::vector<std::string> texts(const ResultGrid& grid) {
    std::vector<std::string> out;
    for (int r = 1; r <= grid.rowCount(); ++r)
        for (int c = 1; c <= grid.columnCount(); ++c)
            out.emplace_back(grid.text(c, r));
    return out;
}

QMdiSubWindow* subWindow(ProgramFixture& program, std::string_view name) {
    return program.window().openedView(qs(name));
}

TEST(BacktestViewTest, TheButtonOpensOneWindowWithTheOptionsOfThePredictionView) {
    ProgramFixture program;
    QMdiSubWindow* predictionWindow = subWindow(program, kPredictionViewName);
    ASSERT_NE(predictionWindow, nullptr);
    auto* prediction = qobject_cast<PredictionView*>(predictionWindow->widget());
    for (int option : {1, 11}) // shift 15 + 3
        prediction->findChild<QRadioButton*>(QStringLiteral("Opt反映する(%1)").arg(option))->click();
    auto* open = prediction->findChild<QPushButton*>("Cmd予想検証");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("過去の当選で検証..."));

    open->click();
    ProgramFixture::settle();
    QMdiSubWindow* window = subWindow(program, kBacktestViewName);
    ASSERT_NE(window, nullptr);
    auto* view = qobject_cast<BacktestView*>(window->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("予想検証"));
    EXPECT_TRUE(program.dialogs.messages.empty());

    const DrawHistory& history = program.window().history();
    const BacktestResult expected = runBacktest(history, program.window().analysisOptions());
    ASSERT_EQ(expected.shift, 18);
    EXPECT_EQ(texts(view->grid(BacktestView::Summary)->grid()), texts(backtestSummaryGrid(expected)));
    EXPECT_EQ(texts(view->grid(BacktestView::Draws)->grid()), texts(backtestDrawGrid(expected)));
    EXPECT_EQ(texts(view->grid(BacktestView::Sweep)->grid()),
              texts(shiftSweepGrid(runShiftSweep(history), 18)));
    const QString setting = view->findChild<QLabel*>("Label2")->text();
    EXPECT_TRUE(setting.contains(QStringLiteral("間隔分析、下一桁連続出現回数分析（シフト 18）")))
        << setting.toStdString();
    for (int table = 0; table < BacktestView::kTableCount; ++table)
        EXPECT_NE(view->grid(table)->findChild<QAction*>("actSavePdf"), nullptr) << table;

    // Again, with the prediction view in front: the open window comes forward, none is added.
    const auto windows = program.window().mdiArea()->subWindowList().size();
    program.window().mdiArea()->setActiveSubWindow(predictionWindow);
    open->click();
    ProgramFixture::settle();
    EXPECT_EQ(program.window().mdiArea()->subWindowList().size(), windows);
    EXPECT_EQ(subWindow(program, kBacktestViewName), window);
    EXPECT_EQ(program.window().mdiArea()->activeSubWindow(), window);
}

// The print button's document holds the three tables and both charts, and writes as a PDF of its pages.
TEST(BacktestViewTest, EveryTableAndChartPrints) {
    ProgramFixture program;
    program.window().openView(qs(kBacktestViewName));
    auto* view = qobject_cast<BacktestView*>(subWindow(program, kBacktestViewName)->widget());
    ASSERT_NE(view, nullptr);
    const TableDocument document = view->document();
    const int pages = document.pageCount(document.pageLayout());
    EXPECT_GT(pages, 3);
    test::TempDir dir;
    int printed = 0;
    const auto written = writeTableFile(document, QString::fromStdString((dir / "b.pdf").string()),
                                        TableFile::Pdf, [&](int done, int) {
                                            printed = done;
                                            return true;
                                        });
    ASSERT_TRUE(written.ok()) << written.error().message;
    EXPECT_EQ(printed, pages);
    // A table's own document starts with it, so its CSV and HTML hold that table.
    for (int table = 0; table < BacktestView::kTableCount; ++table)
        EXPECT_EQ(texts(*view->document(table).firstTable()), texts(view->grid(table)->grid())) << table;
}

// With no draws to test, the window still opens, says so and shows the tables' headings alone.
TEST(BacktestViewTest, AnEmptyHistoryOpensWithNothingToTest) {
    ProgramFixture program(false);
    program.window().openView(qs(kBacktestViewName));
    QMdiSubWindow* window = subWindow(program, kBacktestViewName);
    ASSERT_NE(window, nullptr);
    auto* view = qobject_cast<BacktestView*>(window->widget());
    EXPECT_TRUE(
        view->findChild<QLabel*>("Label2")->text().contains(QStringLiteral("検証できる回がありません")));
    EXPECT_EQ(view->grid(BacktestView::Draws)->grid().rowCount(), drawgrid::kHeadingRows);
    EXPECT_GT(view->document().pageCount(view->document().pageLayout()), 0);
}

} // namespace
} // namespace kazutama
