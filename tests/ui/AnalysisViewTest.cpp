#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

// バラツキ分析 keeps its grid's top-left corner at 120, 600 twips whatever the window's size, and the grid
// grows and shrinks with the window.
TEST(AnalysisViewTest, DispersionGridKeepsItsCornerAndFollowsTheWindow) {
    ProgramFixture program;
    program.trigger("mnuBaratsuki");
    QMdiSubWindow* window = program.window().openedView(QStringLiteral("バラツキ分析"));
    ASSERT_NE(window, nullptr);
    QWidget* view = window->widget();
    QWidget* grid = view->findChild<QWidget*>("fpSpread1");
    ASSERT_NE(grid, nullptr);
    const QPoint corner(8, 40);
    const QSize margins = view->size() - grid->size();
    EXPECT_EQ(grid->mapTo(view, QPoint(0, 0)), corner);
    EXPECT_EQ(margins.width(), 2 * corner.x());

    for (const QSize change : {QSize(150, 120), QSize(-250, -200)}) {
        const QSize before = view->size();
        window->resize(window->size() + change);
        ProgramFixture::settle();
        ASSERT_EQ(view->size(), before + change);
        EXPECT_EQ(grid->mapTo(view, QPoint(0, 0)), corner);
        EXPECT_EQ(view->size() - grid->size(), margins);
    }
}

} // namespace
} // namespace kazutama
