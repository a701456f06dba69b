#include "grid/ui/ResultGridView.h"

#include "grid/Colours.h"
#include "grid/ResultGrid.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// The view paints its cells itself; a screen reader still reads their texts, row and column from 0.
TEST(ResultGridViewTest, AScreenReaderReadsTheCellsTexts) {
    ResultGrid grid(3, 2);
    grid.setText(2, 1, "出現回数");
    grid.setNumber(3, 2, 17);
    ResultGridView view;
    view.setGrid(std::move(grid));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleTableInterface* cells = table->tableInterface();
    EXPECT_EQ(cells->rowCount(), 2);
    EXPECT_EQ(cells->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("出現回数"));
    EXPECT_EQ(cells->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("17"));
    EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), QString());
}

// The frame's dark blue: blue clearly above red and green, all three dark.
bool isFrame(QRgb p) {
    return qBlue(p) < 140 && qBlue(p) > qRed(p) + 40 && qBlue(p) > qGreen(p) + 30;
}

// Whether the top edge of the cell, between its ends, is drawn in the frame's colour.
bool framed(ResultGridView& view, int row, int column) {
    const QImage shown = view.viewport()->grab().toImage();
    const QRect cell = view.visualRect(view.model()->index(row, column));
    return isFrame(shown.pixel(cell.center().x(), cell.top())) &&
           isFrame(shown.pixel(cell.center().x(), cell.bottom()));
}

struct ShownView {
    explicit ShownView(ResultGrid grid) {
        view.resize(300, 200);
        view.setGrid(std::move(grid));
        view.show();
        view.setFocus();
    }
    QModelIndex current() const { return view.currentIndex(); }
    ResultGridView view;
};

TEST(ResultGridViewTest, TheCurrentCellMovesAPageAtATimeAndIsFramedOnEveryBackground) {
    ResultGrid grid(6, 300);
    grid.setBackground(GridBlock::rows(2, 2), colours::kMainNumberDot);
    grid.setBackground(GridBlock::rows(300, 300), colours::kPaleYellow);
    ShownView shown(std::move(grid));
    ResultGridView& view = shown.view;
    EXPECT_TRUE(framed(view, 0, 0));

    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(shown.current().row(), 1);
    EXPECT_TRUE(framed(view, 1, 0));
    EXPECT_FALSE(framed(view, 0, 0));

    const int pageRows = view.viewport()->height() / view.rowHeight(0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_NEAR(shown.current().row(), 1 + pageRows, 1);

    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(shown.current(), view.model()->index(299, 5));
    EXPECT_TRUE(view.viewport()->rect().contains(view.visualRect(shown.current())));
    EXPECT_TRUE(framed(view, 299, 5));
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(shown.current(), view.model()->index(0, 0));
}

TEST(ResultGridViewTest, ShiftExtendsTheSelectionAndCtrlASelectsAll) {
    ShownView shown(ResultGrid(4, 300));
    ResultGridView& view = shown.view;
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    ResultGrid::Range cells = view.selectedCells();
    EXPECT_EQ((std::array{cells.firstColumn, cells.lastColumn, cells.firstRow, cells.lastRow}),
              (std::array{2, 4, 1, 300}));
    // The selection is tinted, the unselected first column not.
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_LT(qRed(image.pixel(view.visualRect(view.model()->index(299, 2)).center())), 220);
    EXPECT_EQ(image.pixel(view.visualRect(view.model()->index(299, 0)).center()), qRgb(255, 255, 255));

    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    cells = view.selectedCells();
    EXPECT_EQ((std::array{cells.firstColumn, cells.lastColumn, cells.firstRow, cells.lastRow}),
              (std::array{1, 4, 1, 300}));
}

TEST(ResultGridViewTest, CtrlCCopiesTheSelectedCellsOwnTexts) {
    ResultGrid grid(4, 3);
    grid.setTextRunsOn(true);
    grid.setText(1, 1, "題名が右へ続く");
    grid.setText(3, 2, "17");
    grid.setText(4, 3, "<&>");
    grid.setBackground(GridBlock::cell(4, 3), colours::kPalePink);
    ShownView shown(std::move(grid));
    ResultGridView& view = shown.view;
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), QStringLiteral("題名が右へ続く\t\t\t\n\t\t17\t\n\t\t\t<&>"));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("background-color:#ffc8c8")));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("&lt;&amp;&gt;")));

    // Only the selection: one cell.
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Up);
    view.findChild<QAction*>("actCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("17"));
}

// Two pink heading rows and a yellow number column stay where the table starts while the rest scrolls.
TEST(ResultGridViewTest, HeadingRowsAndColumnsStayInPlaceWhileTheRestScrolls) {
    ResultGrid grid(30, 300);
    grid.setHeadings(2, 1);
    grid.setBackground(GridBlock::rows(1, 2), colours::kPalePink);
    grid.setBackground({1, 1, 3, 300}, colours::kPaleYellow);
    ShownView shown(std::move(grid));
    ResultGridView& view = shown.view;
    const QRgb pink = qRgb(255, 200, 200), yellow = qRgb(255, 255, 200);
    const QSize room = view.viewport()->size();
    const int headingHeight = 2 * view.rowHeight(0), numberWidth = view.columnWidth(0);

    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    ASSERT_GT(view.verticalScrollBar()->value(), 0);
    ASSERT_GT(view.horizontalScrollBar()->value(), 0);
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_EQ(image.pixel(room.width() / 2, 3), pink);
    EXPECT_EQ(image.pixel(room.width() / 2, headingHeight - 3), pink);
    EXPECT_EQ(image.pixel(numberWidth / 2, room.height() / 2), yellow);
    EXPECT_TRUE(framed(view, 299, 29));
    EXPECT_GE(view.visualRect(shown.current()).top(), headingHeight);

    // A click on the headings picks the heading cell, not the one scrolled under it.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(room.width() / 2, 3));
    EXPECT_EQ(shown.current().row(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(numberWidth / 2, room.height() / 2));
    EXPECT_EQ(shown.current().column(), 0);
    EXPECT_GT(shown.current().row(), 200);

    // Page Up stops at the first row under the headings, and Ctrl+Home shows the table's start.
    for (int i = 0; i < 100 && shown.current().row() > 2; ++i)
        QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(shown.current().row(), 2);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);

    // Headings taller than half the view scroll with the rest.
    view.resize(300, headingHeight + 2 * view.frameWidth() + 20);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_LT(view.visualRect(view.model()->index(0, 5)).top(), 0);
}

// The prediction view's grids take no focus: they show no cursor and copy the whole table.
TEST(ResultGridViewTest, AViewWithoutFocusShowsNoCursorAndCopiesItsTable) {
    ResultGrid grid(2, 2);
    grid.setText(2, 2, "7");
    ResultGridView view;
    view.setFocusPolicy(Qt::NoFocus);
    view.setGrid(std::move(grid));
    view.resize(200, 100);
    view.show();
    EXPECT_FALSE(framed(view, 0, 0));
    view.findChild<QAction*>("actCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\t\n\t7"));

    // Its menu offers the copy alone: it has no cell to find or go to.
    view.setDrawNumberColumn(1);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                if (action->isVisible() && !action->isSeparator())
                    offered << action->objectName();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            view.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view.viewport(), &event);
    EXPECT_EQ(offered, QStringList{QStringLiteral("actCopy")});
}

QString toolTipAt(ResultGridView& view, int row, int column) {
    const QPoint at = view.visualRect(view.model()->index(row, column)).center();
    QHelpEvent event(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &event);
    return QToolTip::text();
}

TEST(ResultGridViewTest, ACutTextShowsWholeInATooltip) {
    const std::string list = "30 31 32 33 34 35 36 37";
    ResultGrid grid(3, 2);
    grid.setColumnWidth(ResultGrid::kAll, 6);
    grid.setText(1, 1, "12");
    grid.setText(1, 2, list);
    grid.setText(2, 2, "1");
    ShownView shown(std::move(grid));
    EXPECT_EQ(toolTipAt(shown.view, 0, 0), QString());
    EXPECT_EQ(toolTipAt(shown.view, 1, 0), QString::fromStdString(list));
}

} // namespace
} // namespace kazutama
