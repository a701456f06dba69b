#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// バラツキ分析 keeps its grid's top-left corner at 120, 600 twips, and the grid follows the window's size.
TEST(AnalysisViewTest, DispersionGridKeepsItsCornerAndFollowsTheWindow) {
    test::ProgramFixture program;
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

} // namespace
} // namespace kazutama
