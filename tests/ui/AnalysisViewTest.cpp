#include "grid/ui/ResultGridView.h"
#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// バラツキ分析 keeps its grid's top-left corner at 120, 600 twips, and the grid follows the window's size.
TEST(AnalysisViewTest, DispersionGridKeepsItsCornerAndFollowsTheWindow) {
    test::ProgramFixture program;
    // Room for the window's given size, which a smaller main window would fit it down from.
    program.window().resize(1400, 1100);
    test::ProgramFixture::settle();
    program.trigger("mnuBaratsuki");
    QMdiSubWindow* window = program.window().openedView(QStringLiteral("バラツキ分析"));
    ASSERT_NE(window, nullptr);
    QWidget* view = window->widget();
    auto* grid = view->findChild<QWidget*>("fpSpread1");
    const QSize margins = view->size() - grid->size();
    EXPECT_EQ(margins.width(), 2 * 8);
    for (const QSize change : {QSize(0, 0), QSize(150, 120), QSize(-250, -200)}) {
        window->resize(window->size() + change);
        test::ProgramFixture::settle();
        EXPECT_EQ(grid->mapTo(view, QPoint(0, 0)), QPoint(8, 40));
        EXPECT_EQ(view->size() - grid->size(), margins);
    }
}

// A window smaller than its contents scrolls with one set of scroll bars: the grid's own, no second pair
// around it.
TEST(AnalysisViewTest, ASmallWindowHasOneSetOfScrollBars) {
    test::ProgramFixture program;
    program.trigger("mnuHonsuji");
    QMdiSubWindow* window = program.window().openedView(QStringLiteral("数字合計分析"));
    ASSERT_NE(window, nullptr);
    for (const QSize size : {QSize(400, 300), QSize(180, 140), QSize(90, 80)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        test::ProgramFixture::settle();
        int horizontal = 0, vertical = 0;
        for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
            if (!bar->isVisibleTo(window))
                continue;
            (bar->orientation() == Qt::Horizontal ? horizontal : vertical) += 1;
        }
        EXPECT_LE(horizontal, 1);
        EXPECT_LE(vertical, 1);
    }
}

// At the size its catalogue row gives, バラツキ分析 shows all 39 columns, the draw numbers on both sides.
TEST(AnalysisViewTest, DispersionShowsEveryColumnAtItsGivenSize) {
    test::ProgramFixture program;
    program.trigger("mnuBaratsuki");
    QMdiSubWindow* window = program.window().openedView(QStringLiteral("バラツキ分析"));
    ASSERT_NE(window, nullptr);
    auto* grid = window->widget()->findChild<ResultGridView*>("fpSpread1");
    ASSERT_NE(grid, nullptr);
    test::ProgramFixture::settle();
    EXPECT_GE(grid->viewport()->width(), grid->fullTableSize().width());
}

} // namespace
} // namespace kazutama
