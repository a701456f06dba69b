#include "grid/ResultGrid.h"
#include "grid/ui/ResultGridView.h"
#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Answers the text questions from a queue, as a user would type them.
class TypingDialogs : public test::ScriptedDialogs {
public:
    QString askText(QWidget*, const QString& title, const QString&) override {
        asked.push_back(title);
        if (typed.empty())
            return {};
        QString text = typed.front();
        typed.pop_front();
        return text;
    }
    std::deque<QString> typed;
    std::vector<QString> asked;
};

bool shows(const ResultGridView& view, const QModelIndex& index) {
    return view.viewport()->rect().contains(view.visualRect(index));
}

// Two heading rows, then draws 1..300 with the draw number in column 1.
ResultGrid drawTable() {
    ResultGrid grid(5, 302);
    grid.setText(1, 2, "回数");
    for (int draw = 1; draw <= 300; ++draw) {
        grid.setNumber(1, draw + 2, draw);
        grid.setNumber(2, draw + 2, draw % 37 + 1);
    }
    return grid;
}

struct ShownTable {
    explicit ShownTable(ResultGrid grid) {
        view.resize(300, 200);
        view.setGrid(std::move(grid));
        view.show();
        view.setFocus();
    }
    TypingDialogs dialogs;
    ResultGridView view;
};

TEST(ResultGridViewFindTest, FindMakesTheNextMatchingCellCurrentAndVisibleWrapsRoundAndReportsNone) {
    ResultGrid grid(40, 300);
    grid.setText(30, 250, "　17 "); // blanks around the text, full-width and half-width
    grid.setText(3, 5, "17");
    grid.setText(4, 5, "170");
    ShownTable shown(std::move(grid));
    ResultGridView& view = shown.view;
    shown.dialogs.typed = {QStringLiteral(" 17"), QStringLiteral("17"), QStringLiteral("17"),
                           QStringLiteral("1")};

    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(shown.dialogs.asked, std::vector<QString>{QStringLiteral("数字を検索")});
    EXPECT_EQ(view.currentIndex(), view.model()->index(4, 2));

    view.findChild<QAction*>("actFind")->trigger();
    EXPECT_EQ(view.currentIndex(), view.model()->index(249, 29));
    EXPECT_TRUE(shows(view, view.currentIndex()));
    EXPECT_EQ(view.selectedCells().firstRow, 250);

    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(view.currentIndex(), view.model()->index(4, 2));
    EXPECT_TRUE(shows(view, view.currentIndex()));
    EXPECT_TRUE(shown.dialogs.messages.empty());

    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(shown.dialogs.messages.size(), 1u);
    EXPECT_EQ(shown.dialogs.messages[0].text, QStringLiteral("「1」は見つかりません。"));
    EXPECT_EQ(view.currentIndex(), view.model()->index(4, 2));
}

TEST(ResultGridViewFindTest, GoToDrawMakesTheDrawsRowCurrentAndVisibleOrSaysItIsNotThere) {
    ShownTable shown(drawTable());
    ResultGridView& view = shown.view;
    auto* goToDraw = view.findChild<QAction*>("actGoToDraw");
    EXPECT_FALSE(goToDraw->isVisible()); // no draw-number column yet
    view.setDrawNumberColumn(1);
    EXPECT_TRUE(goToDraw->isVisible());
    // Full-width digits are the same number; the 17s of column 2 are no draw.
    shown.dialogs.typed = {QStringLiteral("２４０"), QStringLiteral("17"), QStringLiteral("301"),
                           QStringLiteral("回数")};

    QTest::keyClick(&view, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(view.currentIndex(), view.model()->index(241, 0));
    EXPECT_TRUE(shows(view, view.currentIndex()));

    goToDraw->trigger();
    EXPECT_EQ(view.currentIndex(), view.model()->index(18, 0));
    EXPECT_TRUE(shown.dialogs.messages.empty());

    goToDraw->trigger();
    goToDraw->trigger();
    ASSERT_EQ(shown.dialogs.messages.size(), 2u);
    EXPECT_EQ(shown.dialogs.messages[0].text, QStringLiteral("「301」回はこの表にありません。"));
    EXPECT_EQ(shown.dialogs.messages[1].text, QStringLiteral("「回数」は回の番号ではありません。"));
    EXPECT_EQ(view.currentIndex(), view.model()->index(18, 0));
}

// The catalogue's column reaches the view: a table of draws offers the jump, the number table does not.
TEST(ResultGridViewFindTest, AnalysisViewsOfDrawsGoToADraw) {
    test::ProgramFixture program;
    program.trigger("mnuHippari");
    auto* grid = program.window()
                     .openedView(QStringLiteral("引っ張り分析"))
                     ->widget()
                     ->findChild<ResultGridView*>("fpSpread1");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->findChild<QAction*>("actGoToDraw")->isVisible());
    ASSERT_TRUE(grid->goToDraw(600));
    EXPECT_EQ(grid->model()->data(grid->currentIndex()).toString(), QStringLiteral("600"));
    EXPECT_TRUE(shows(*grid, grid->currentIndex()));
    // Found upwards, the draw shows below the heading row that stays at the top.
    ASSERT_TRUE(grid->goToDraw(100));
    EXPECT_GE(grid->visualRect(grid->currentIndex()).top(), grid->rowHeight(0));

    program.trigger("mnuSyutugenHindo");
    auto* numbers = program.window()
                        .openedView(QStringLiteral("出現頻度分析"))
                        ->widget()
                        ->findChild<ResultGridView*>("fpSpread1");
    ASSERT_NE(numbers, nullptr);
    EXPECT_FALSE(numbers->findChild<QAction*>("actGoToDraw")->isVisible());
}

} // namespace
} // namespace kazutama
