#include "app/HelpWindow.h"

#include <QAction>
#include <QHelpContentWidget>
#include <QHelpIndexWidget>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// The help window over the built manual, shown, with its contents and index built.
struct HelpFixture {
    HelpWindow help{QStringLiteral(KAZUTAMA_HELP_COLLECTION)};
    QHelpContentWidget* contents = help.findChild<QHelpContentWidget*>("helpContents");
    QHelpIndexWidget* index = help.findChild<QHelpIndexWidget*>("helpIndex");

    HelpFixture() {
        help.show();
        EXPECT_TRUE(help.isUsable());
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return contents->model()->rowCount() > 0 && index->model()->rowCount() > 0; }, 5000));
    }
};

TEST(HelpWindowTest, TheContentsOpenTheirPagesAndBackAndForwardReturnToThem) {
    HelpFixture f;
    const QModelIndex top = f.contents->model()->index(0, 0);
    ASSERT_GT(f.contents->model()->rowCount(top), 15);
    const QModelIndex frequency =
        f.contents->model()
            ->match(f.contents->model()->index(0, 0, top), Qt::DisplayRole, "出現頻度分析")
            .value(0);
    ASSERT_TRUE(frequency.isValid());
    emit f.contents->activated(frequency);
    EXPECT_EQ(f.help.currentTopicTitle(), "出現頻度分析");
    emit f.contents->activated(f.contents->model()->index(0, 0, top));
    EXPECT_EQ(f.help.currentTopicTitle(), "メイン ウィンドウとメニュー");

    QAction* back = f.help.findChild<QAction*>("actBack");
    QAction* forward = f.help.findChild<QAction*>("actForward");
    back->trigger();
    EXPECT_EQ(f.help.currentTopicTitle(), "出現頻度分析");
    // The contents follow the page shown.
    EXPECT_EQ(f.contents->currentIndex().data().toString(), "出現頻度分析");
    forward->trigger();
    EXPECT_EQ(f.help.currentTopicTitle(), "メイン ウィンドウとメニュー");
}

TEST(HelpWindowTest, TheIndexNarrowsAsTheUserTypesAndShowsNoProgramIdentifiers) {
    HelpFixture f;
    // The window names the program looks pages up by (MainFrm, HelpWindow) and any other camel-case
    // identifier stay out of the index.
    const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9]*[a-z][A-Z][A-Za-z0-9]*$"));
    for (int row = 0; row < f.index->model()->rowCount(); ++row) {
        const QString keyword = f.index->model()->index(row, 0).data().toString();
        EXPECT_FALSE(identifier.match(keyword).hasMatch()) << keyword.toStdString();
    }
    const int all = f.index->model()->rowCount();
    f.help.findChild<QLineEdit*>("keywordEdit")->setText(QStringLiteral("下一桁"));
    const int shown = f.index->model()->rowCount();
    EXPECT_GT(shown, 2);
    EXPECT_LT(shown, all);
    for (int row = 0; row < shown; ++row)
        EXPECT_TRUE(f.index->model()->index(row, 0).data().toString().contains("下一桁"));
}

TEST(HelpWindowTest, TheSearchFindsJapaneseWordsInsideThePagesText) {
    HelpFixture f;
    auto* edit = f.help.findChild<QLineEdit*>("searchEdit");
    auto* results = f.help.findChild<QTextBrowser*>("searchResults");
    auto* status = f.help.findChild<QLabel*>("searchStatus");
    edit->setText(QStringLiteral("ボーナス"));
    QTest::keyClick(edit, Qt::Key_Return);
    // The word stands inside longer runs of text ("ボーナス数字1"), which Qt's own word index would not
    // split.
    const QList<HelpWindow::Hit> hits = f.help.searchPages(edit->text());
    EXPECT_GT(hits.size(), 10);
    EXPECT_TRUE(status->text().contains(QStringLiteral("%1 件").arg(hits.size())))
        << status->text().toStdString();
    EXPECT_TRUE(results->toPlainText().contains(hits.back().title));
    emit results->anchorClicked(hits.front().url);
    EXPECT_EQ(f.help.currentTopicTitle(), hits.front().title);
    EXPECT_EQ(f.help.findChild<QTextBrowser*>("helpBrowser")->textCursor().selectedText(), "ボーナス");

    // Full-width letters find their ordinary forms; every word must occur.
    EXPECT_FALSE(f.help.searchPages(QStringLiteral("ｃｓｖ　取り込み")).isEmpty());
    EXPECT_TRUE(f.help.searchPages(QStringLiteral("ボーナス 存在しない語")).isEmpty());
    edit->setText(QStringLiteral("存在しない語"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(results->toPlainText().isEmpty());
    EXPECT_TRUE(status->text().contains("ありません"));
}

TEST(HelpWindowTest, EscapeAndCtrlWCloseTheWindow) {
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_W, Qt::ControlModifier}}) {
        HelpFixture f;
        f.help.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.help));
        QTest::keyClick(f.help.findChild<QLineEdit*>("keywordEdit"), key, modifiers);
        EXPECT_FALSE(f.help.isVisible());
    }
}

} // namespace
} // namespace kazutama
