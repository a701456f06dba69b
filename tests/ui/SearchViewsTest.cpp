#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "tickets/HistoryCheck.h"
#include "tickets/NumberSearch.h"
#include "tickets/SearchGrids.h"
#include "tickets/ui/HistoryCheckView.h"
#include "tickets/ui/NumberSearchView.h"
#include "ui/UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

template <typename View> View* opened(ProgramFixture& program, const char* action, std::string_view name) {
    program.trigger(action);
    QMdiSubWindow* window = program.window().openedView(qs(name));
    EXPECT_NE(window, nullptr) << name;
    if (!window)
        return nullptr;
    EXPECT_EQ(window->windowTitle(), qs(name));
    return qobject_cast<View*>(window->widget());
}

// The text as the input method leaves it in the field, then Enter.
void type(QLineEdit* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

TEST(SearchViewsTest, TheSearchCountsTheDrawsHoldingTheNumbersTypedBesideChance) {
    ProgramFixture program;
    auto* view = opened<NumberSearchView>(program, "mnuNumberSearch", kNumberSearchViewName);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->hasResult());

    view->findChild<QCheckBox*>("Chkボーナス")->setChecked(true);
    type(view->numbersField(), QStringLiteral("23，７"));
    ASSERT_TRUE(view->hasResult()) << view->resultText().toStdString();
    auto expected = searchNumbers(program.window().history(), {7, 23}, true);
    ASSERT_TRUE(expected);
    ASSERT_GT(expected->found.size(), 0u);
    EXPECT_EQ(view->resultText(), qs(numberSearchSentence(*expected, program.window().history())));
    EXPECT_TRUE(view->resultText().contains(QStringLiteral(" %1 回でした").arg(expected->found.size())));
    const ResultGrid& grid = view->grid()->grid();
    ASSERT_EQ(grid.rowCount(), drawrows::kHeadingRows + int(expected->found.size()));
    EXPECT_EQ(grid.text(drawrows::kDrawColumn, 2), std::to_string(expected->found.front().drawNumber));
    EXPECT_NE(view->grid()->findChild<QAction*>("actSavePdf"), nullptr);
    EXPECT_EQ(view->document().firstTable(), &grid);

    // Chosen again, the open window comes to the front with its result.
    program.trigger("mnuNumberSearch");
    EXPECT_EQ(program.window().openedView(qs(kNumberSearchViewName))->widget(), view);
    EXPECT_TRUE(view->hasResult());
}

TEST(SearchViewsTest, BadNumbersShowTheMessageAndNoResult) {
    ProgramFixture program;
    auto* search = opened<NumberSearchView>(program, "mnuNumberSearch", kNumberSearchViewName);
    auto* check = opened<HistoryCheckView>(program, "mnuHistoryCheck", kHistoryCheckViewName);
    ASSERT_TRUE(search && check);
    type(search->numbersField(), "7");
    ASSERT_TRUE(search->hasResult());
    const struct {
        const char* typed;
        const char* searchMessage;
        const char* checkMessage;
    } cases[] = {
        {"0 1 2 3 4 5 6", "探す数字 0 は 1 から 37 の数字ではありません。",
         "照合する数字 0 は 1 から 37 の数字ではありません。"},
        {"38 1 2 3 4 5 6", "探す数字 38 は 1 から 37 の数字ではありません。",
         "照合する数字 38 は 1 から 37 の数字ではありません。"},
        {"5 9 5 1 2 3 4", "探す数字 5 が 2 回あります。", "照合する数字 5 が 2 回あります。"},
        {"1 2 3 4 5 6 7 8", "探す数字は 1 個から 7 個まで指定してください（8 個あります）。",
         "照合する数字は 7 個指定してください（8 個あります）。"},
        {"1 2 x", "探す数字「x」は数字ではありません。", "照合する数字「x」は数字ではありません。"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.typed);
        type(search->numbersField(), QString::fromUtf8(bad.typed));
        EXPECT_FALSE(search->hasResult());
        EXPECT_EQ(search->resultText(), QString::fromUtf8(bad.searchMessage));
        EXPECT_EQ(search->grid()->grid().rowCount(), drawrows::kHeadingRows);
        type(check->numbersField(), QString::fromUtf8(bad.typed));
        EXPECT_FALSE(check->hasResult());
        EXPECT_EQ(check->resultText(), QString::fromUtf8(bad.checkMessage));
        EXPECT_EQ(check->grid(HistoryCheckView::Best)->grid().rowCount(), drawrows::kHeadingRows);
    }
    EXPECT_TRUE(program.dialogs.messages.empty());
}

TEST(SearchViewsTest, TheCheckGivenSevenNumbersCountsEveryTierAndListsTheBestDraws) {
    ProgramFixture program;
    auto* view = opened<HistoryCheckView>(program, "mnuHistoryCheck", kHistoryCheckViewName);
    ASSERT_NE(view, nullptr);
    const std::vector<int> ticket = {3, 8, 14, 19, 25, 30, 36};
    ASSERT_TRUE(view->checkNumbers(ticket));
    EXPECT_EQ(view->numbersField()->text(), "3 8 14 19 25 30 36");
    auto expected = checkAgainstHistory(program.window().history(), ticket);
    ASSERT_TRUE(expected);
    EXPECT_EQ(view->resultText(), qs(historyCheckSentence(*expected, program.window().history())));
    const ResultGrid& tiers = view->grid(HistoryCheckView::Tiers)->grid();
    for (int tier = 0; tier <= kPrizeTierCount; ++tier)
        EXPECT_EQ(tiers.text(tiergrid::kCountColumn, tiergrid::row(tier)),
                  std::to_string(expected->tierCounts[std::size_t(tier)]));
    const ResultGrid& hits = view->grid(HistoryCheckView::Hits)->grid();
    EXPECT_EQ(hits.text(hitgrid::kCountColumn, hitgrid::row(0)), std::to_string(expected->mainHitCounts[0]));
    EXPECT_EQ(view->grid(HistoryCheckView::Best)->grid().rowCount(),
              drawrows::kHeadingRows + int(expected->bestDraws.size()));
    // The print holds the three tables, each table's own menu its table first.
    for (int table = 0; table < HistoryCheckView::kTableCount; ++table)
        EXPECT_EQ(view->document(table).firstTable(), &view->grid(table)->grid()) << table;
}

} // namespace
} // namespace kazutama
