#include "prediction/ui/PredictionView.h"

#include "grid/ResultGrid.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "settings/SettingsFile.h"
#include "ui/UiTestSupport.h"

#include <QMdiSubWindow>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

const QString kPrediction = qs(kPredictionViewName);

// A grid's texts, row by row.
std::vector<std::string> texts(const ResultGridView* view) {
    std::vector<std::string> out;
    const ResultGrid& grid = view->grid();
    for (int r = 1; r <= grid.rowCount(); ++r)
        for (int c = 1; c <= grid.columnCount(); ++c)
            out.emplace_back(grid.text(c, r));
    return out;
}

PredictionView* predictionView(ProgramFixture& program) {
    QMdiSubWindow* window = program.window().openedView(kPrediction);
    return window ? qobject_cast<PredictionView*>(window->widget()) : nullptr;
}

QRadioButton* button(PredictionView* view, const char* name, int index) {
    return view->findChild<QRadioButton*>(QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(index));
}

TEST(PredictionViewTest, OpensWithAllOptionsOffAndTheFourTables) {
    ProgramFixture program;
    PredictionView* view = predictionView(program);
    ASSERT_NE(view, nullptr);
    for (int i = 0; i < 12; ++i) {
        ASSERT_NE(button(view, "Opt反映する", i), nullptr);
        EXPECT_TRUE(button(view, "Opt反映しない", i)->isChecked()) << i;
        EXPECT_FALSE(button(view, "Opt反映する", i)->isChecked()) << i;
    }
    const int rows[] = {5, 4, 3, 2};
    for (int i = 0; i < 4; ++i) {
        const ResultGrid& grid = view->grid(i)->grid();
        EXPECT_EQ(grid.columnCount(), 8);
        EXPECT_EQ(grid.rowCount(), rows[i]);
        EXPECT_EQ(grid.text(2, 1), "                              本 数 字                          ");
        EXPECT_EQ(grid.foreground(1, 1), (Rgb{0, 0, 255}));
        EXPECT_EQ(grid.background(8, 1), (Rgb{255, 200, 200}));
    }
    EXPECT_EQ(view->grid(0)->grid().text(1, 2), " 7回周期法");
    EXPECT_EQ(view->grid(1)->grid().text(1, 3), "消去法");
    EXPECT_EQ(view->grid(2)->grid().text(1, 2), "連発予想");
    EXPECT_EQ(view->grid(3)->grid().text(1, 2), "１発予想");
    // The one-shot prediction is the first row of the multiple prediction.
    for (int c = 2; c <= 8; ++c)
        EXPECT_EQ(view->grid(3)->grid().text(c, 2), view->grid(2)->grid().text(c, 2));
}

TEST(PredictionViewTest, AnOptionClickChangesTheShiftedTablesAtOnceButNotTheCycles) {
    ProgramFixture program;
    PredictionView* view = predictionView(program);
    ASSERT_NE(view, nullptr);
    std::vector<std::vector<std::string>> before;
    for (int i = 0; i < 4; ++i)
        before.push_back(texts(view->grid(i)));
    const int runs = view->runCount();

    button(view, "Opt反映する", 1)->click(); // ■間隔分析: fifteen draws further back
    EXPECT_EQ(view->runCount(), runs + 1);
    EXPECT_TRUE(program.window().analysisOptions()[1]);
    EXPECT_EQ(texts(view->grid(0)), before[0]);
    for (int i = 1; i < 4; ++i)
        EXPECT_NE(texts(view->grid(i)), before[i]) << i;

    button(view, "Opt反映しない", 1)->click();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(texts(view->grid(i)), before[i]) << i;
}

TEST(PredictionViewTest, OptionsSurviveCloseAndReopenAndReachTheSettingsFile) {
    ProgramFixture program;
    button(predictionView(program), "Opt反映する", 11)->click();
    program.closeView(kPrediction);
    program.trigger("mnuYoso");
    PredictionView* reopened = predictionView(program);
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(button(reopened, "Opt反映する", 11)->isChecked());
    EXPECT_TRUE(button(reopened, "Opt反映しない", 0)->isChecked());

    program.trigger("mnuEnd");
    const AnalysisOptions written = ReadInitFile(program.settingsFile);
    EXPECT_TRUE(written[11]);
    EXPECT_FALSE(written[0]);
}

TEST(PredictionViewTest, OptionsReadAtStartUpAreShown) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    test::writeFile(dir / "Kazutama.ini", "5分割傾向分析Opt=True\r\n");
    MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
    ASSERT_TRUE(window.load());
    window.openView(kPrediction);
    auto* view = qobject_cast<PredictionView*>(window.openedView(kPrediction)->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(button(view, "Opt反映する", 8)->isChecked());
    EXPECT_FALSE(button(view, "Opt反映する", 7)->isChecked());
}

} // namespace
} // namespace kazutama
