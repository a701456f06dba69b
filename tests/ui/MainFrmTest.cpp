#include "analyses/ViewCatalogue.h"
#include "analyses/ui/AnalysisView.h"
#include "app/AboutBox.h"
#include "app/HelpWindow.h"
#include "common/QuotedInput.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/ui/PredictionView.h"
#include "store/DrawStore.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpIndexWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {
namespace {

using test::ProgramFixture;
using test::readFile;

const QString kPrediction = qs(kPredictionViewName);
const QString kFrequency = QStringLiteral("出現頻度分析");
const QString kByCount = QStringLiteral("回数別出現分析");

// The menu tree as "depth name caption [disabled]" lines, in menu order.
void describe(const QList<QAction*>& actions, int depth, QStringList& out) {
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        QString line = QString(depth * 2, QLatin1Char(' ')) + action->objectName() + " " + action->text();
        if (!action->isEnabled())
            line += " [disabled]";
        out << line;
        if (action->menu())
            describe(action->menu()->actions(), depth + 1, out);
    }
}

TEST(MainFrmTest, MenuTreeHasTheNamesCaptionsAndOrderOfTheProgram) {
    ProgramFixture program;
    QStringList tree;
    describe(program.window().menuBar()->actions(), 0, tree);
    const QStringList expected = {
        "mnuEnd 終了(&X)",
        "mnuYoso 一発Kazutama予想(&D)",
        "mnuMain データ分析(&S)",
        "  mnuHindo 頻度分析",
        "    mnuSyutugenHindo 出現頻度分析",
        "    mnuSyutugenKaisu 回数別出現分析",
        "  mnuKankaku 間隔分析",
        "    mnuSyutugenKankaku 出現間隔分析",
        "    mnuNumberKankaku 数字間隔分析",
        "  mnuZenkaiSyutugen 出現回数分析",
        "  mnuBaratsuki バラツキ分析",
        "  mnuHippari 引っ張り分析",
        "  mnuRenbanTobiishi 連番・飛び石分析",
        "  mnuHonsuji 数字合計分析",
        "  mnuPattern 組合せパターン分析",
        "    mnuLowHightPattern 低数字・高数字の組合せパターン分析",
        "    mnuKisuGusuPattern 偶数・奇数の組合せパターン分析",
        "  mnu5BunkatsuKeiko 4分割傾向分析",
        "  mnuBunkatsuData 分割データ分析",
        "    mnu6BunkatsuData 6分割データ分析",
        "    mnu7BunkatsuData 7分割データ分析",
        "    mnu11BunkatsuData 9分割データ分析",
        "  mnuLastChar 下一桁出現傾向分析",
        "  mnuLastCharRenzoku 下一桁連続出現回数分析",
        "mnuHosyu データ管理(&M)",
        "  mnuMasterInput 当選データ入力(&I)",
        "  mnuMasterKanri 当選データ保守(&D) [disabled]",
        "  mnuRestoreBackup バックアップから復元...",
        "  mnuTickets 購入数字の照合(&T)",
        "  mnuHistoryCheck 過去の全当選と照合(&K)",
        "  mnuNumberSearch 数字検索(&F)",
        "mnuWindow ウィンドウ(&W)",
        "  mnuWindowHorizontal 上下に並べて表示(&H)",
        "  mnuWindowVertical 左右に並べて表示(&V)",
        "  mnuWindowCascade 重ねて表示(&C)",
        "  mnuWindowArrangeIcon アイコンの整列(&A)",
        "mnuHelp ヘルプ(&H)",
        "  mnuHelpFile ヘルプ(&H)",
        "  mnuAbout バージョン情報(&A)",
    };
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(program.window().windowTitle(), "Kazutama");
    EXPECT_EQ(program.window().objectName(), "MainFrm");
}

TEST(MainFrmTest, PredictionViewOpensAtStartUpAndBlocksTheEntryCommand) {
    ProgramFixture program;
    ASSERT_TRUE(program.isOpen(kPrediction));
    EXPECT_FALSE(program.window().propEnd());

    program.trigger("mnuMasterInput");
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    const auto& refusal = program.dialogs.messages.front();
    EXPECT_EQ(refusal.text, "表示中のウィンドウを閉じないと実行できません。");
    EXPECT_EQ(refusal.title, QString::fromUtf8("メッセ\xEF\xBC\x8Dジ")); // full-width hyphen-minus
    EXPECT_EQ(refusal.icon, Dialogs::Icon::Critical);

    program.closeView(kPrediction);
    EXPECT_TRUE(program.window().propEnd());
    program.trigger("mnuMasterInput");
    EXPECT_EQ(program.dialogs.messages.size(), 1u);
}

// The main window and its child windows show the program's own icon, in the small and the large sizes.
TEST(MainFrmTest, EveryWindowShowsTheProgramsIcon) {
    ProgramFixture program;
    const QIcon icon = program.window().windowIcon();
    for (const int size : {16, 32, 48, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    QMdiSubWindow* prediction = program.window().openedView(kPrediction);
    ASSERT_NE(prediction, nullptr);
    EXPECT_EQ(prediction->windowIcon().pixmap(16).toImage(), icon.pixmap(16).toImage());
}

TEST(MainFrmTest, GuardIsOneFlagNotACount) {
    ProgramFixture program;
    program.trigger("mnuSyutugenHindo");
    program.trigger("mnuSyutugenKaisu");
    EXPECT_FALSE(program.window().propEnd());
    program.closeView(kByCount);
    // The prediction view and 出現頻度分析 are still open, yet the last unload set the flag.
    EXPECT_TRUE(program.isOpen(kFrequency));
    EXPECT_TRUE(program.window().propEnd());
    program.trigger("mnuMasterInput");
    EXPECT_TRUE(program.dialogs.messages.empty());
}

TEST(MainFrmTest, ChoosingAnOpenViewBringsItToTheFrontWithoutRebuilding) {
    ProgramFixture program;
    program.trigger("mnuSyutugenHindo");
    QMdiSubWindow* first = program.window().openedView(kFrequency);
    ASSERT_NE(first, nullptr);
    auto* view = qobject_cast<AnalysisView*>(first->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), kFrequency);
    EXPECT_EQ(first->windowTitle(), "出現頻度分析");

    program.trigger("mnuSyutugenKaisu");
    program.trigger("mnuSyutugenHindo");
    EXPECT_EQ(program.window().openedView(kFrequency), first);
    EXPECT_EQ(view->buildCount(), 1);
    EXPECT_EQ(program.window().mdiArea()->activeSubWindow(), first);

    // Closing and choosing again builds a new window.
    program.closeView(kFrequency);
    program.trigger("mnuSyutugenHindo");
    ASSERT_NE(program.window().openedView(kFrequency), nullptr);
}

TEST(MainFrmTest, ViewsTakeTheirGeometryInTwips) {
    ProgramFixture program;
    program.trigger("mnuSyutugenKaisu");
    const QRect byCount = program.window().openedView(kByCount)->geometry();
    EXPECT_EQ(byCount.topLeft(), QPoint(0, 0));
    EXPECT_EQ(byCount.size(), QSize(227, 557)); // 3405 x 8355 twips
    EXPECT_EQ(program.window().openedView(kPrediction)->geometry().size(), QSize(672, 560));

    // Where the main window is smaller than that (a dense screen), a window takes the room there is and
    // its content scrolls.
    program.window().resize(640, 480);
    ProgramFixture::settle();
    program.trigger("mnuSyutugenKankaku");
    QMdiSubWindow* interval = program.window().openedView(QStringLiteral("出現間隔分析"));
    ASSERT_NE(interval, nullptr);
    EXPECT_TRUE(program.window().mdiArea()->viewport()->rect().contains(interval->geometry()));
    EXPECT_NE(interval->widget()->findChild<QScrollArea*>("pageScrollArea"), nullptr);
}

TEST(MainFrmTest, WindowCommandsTileAndCascade) {
    ProgramFixture program;
    program.trigger("mnuSyutugenHindo");
    program.trigger("mnuSyutugenKaisu");
    const QRect area(QPoint(0, 0), program.window().mdiArea()->contentsRect().size());

    program.trigger("mnuWindowHorizontal");
    QList<int> tops;
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList()) {
        EXPECT_EQ(w->width(), area.width());
        tops << w->y();
    }
    std::sort(tops.begin(), tops.end());
    EXPECT_EQ(tops, (QList<int>{0, area.height() / 3, 2 * area.height() / 3}));

    program.trigger("mnuWindowVertical");
    QList<int> lefts;
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList()) {
        EXPECT_EQ(w->height(), area.height());
        lefts << w->x();
    }
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts, (QList<int>{0, area.width() / 3, 2 * area.width() / 3}));

    // Cascade steps the windows and keeps each one's own size where it fits.
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList())
        w->resize(area.width() / 2, area.height() / 2);
    program.trigger("mnuWindowCascade");
    QList<int> cascade;
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList()) {
        cascade << w->x();
        EXPECT_EQ(w->size(), QSize(area.width() / 2, area.height() / 2));
        EXPECT_TRUE(area.contains(w->geometry()));
    }
    std::sort(cascade.begin(), cascade.end());
    EXPECT_LT(cascade[0], cascade[1]);
    EXPECT_LT(cascade[1], cascade[2]);

    // Minimised windows line up along the bottom edge.
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList())
        w->showMinimized();
    program.trigger("mnuWindowArrangeIcon");
    for (QMdiSubWindow* w : program.window().mdiArea()->subWindowList())
        EXPECT_EQ(w->geometry().bottom(), area.bottom());
}

TEST(MainFrmTest, InactiveMaintenanceItemDoesNothing) {
    ProgramFixture program;
    QAction* item = program.action("mnuMasterKanri");
    EXPECT_FALSE(item->isEnabled());
    const auto before = program.window().mdiArea()->subWindowList().size();
    item->trigger();
    ProgramFixture::settle();
    EXPECT_EQ(program.window().mdiArea()->subWindowList().size(), before);
    EXPECT_TRUE(program.dialogs.messages.empty());
}

TEST(MainFrmTest, ExitClosesViewsAndWritesTheSettings) {
    ProgramFixture program;
    test::writeFile(program.settingsFile, "間隔分析Opt=True\r\n");
    program.trigger("mnuEnd");
    EXPECT_TRUE(program.window().mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(program.window().propEnd());
    // The file read at start-up was empty of options; what is written is what the view held: all false.
    const std::string text = readFile(program.settingsFile);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
    EXPECT_TRUE(text.starts_with("頻度分析Opt=False\r\n間隔分析Opt=False\r\n"));
}

TEST(MainFrmTest, FailedSettingsWriteIsReportedAndTheProgramStillEnds) {
    ProgramFixture program;
    std::filesystem::create_directory(program.settingsFile); // a folder where the file should go
    program.trigger("mnuEnd");
    EXPECT_FALSE(program.window().isVisible());
    ASSERT_FALSE(program.dialogs.messages.empty());
    EXPECT_TRUE(program.dialogs.messages.back().text.contains("設定ファイル"));
}

TEST(MainFrmTest, AReadOnlySettingsFileIsKeptAndTheUserToldOnceOnlyWhenChangedOptionsAreLost) {
    for (const bool changed : {false, true}) {
        ProgramFixture program;
        test::writeFile(program.settingsFile, "間隔分析Opt=True\r\n");
        std::filesystem::permissions(program.settingsFile, std::filesystem::perms(0444));
        if (changed)
            program.window().findChild<QRadioButton*>("Opt反映する(3)")->click();
        program.dialogs.messages.clear();
        program.trigger("mnuEnd");
        program.window().close();
        ProgramFixture::settle();
        EXPECT_EQ(readFile(program.settingsFile), "間隔分析Opt=True\r\n") << changed;
        ASSERT_EQ(program.dialogs.messages.size(), changed ? 1u : 0u);
        if (changed) {
            EXPECT_EQ(program.dialogs.messages[0].text.toStdString(),
                      "設定ファイル" + quotePath(program.settingsFile) +
                          "は読み取り専用のため、変更したオプションを保存しませんでした。");
            EXPECT_EQ(program.dialogs.messages[0].icon, Dialogs::Icon::Information);
        }
    }
}

TEST(MainFrmTest, MissingDatabaseIsCreatedAndTheUserTold) {
    ProgramFixture program(/*withSampleHistory=*/false);
    ASSERT_FALSE(program.dialogs.questions.empty());
    EXPECT_EQ(program.dialogs.questions.front().icon, Dialogs::Icon::Information);
    EXPECT_TRUE(program.dialogs.questions.front().text.contains("新しく作成しました"));
    // Without the sample beside the program, a CSV file or an empty start; Enter and Escape start empty.
    EXPECT_EQ(program.dialogs.questions.front().buttons,
              (QStringList{"CSVファイルを読み込む(&C)...", "空のまま始める(&E)"}));
    EXPECT_EQ(program.dialogs.questions.front().defaultButton, 1);
    EXPECT_TRUE(std::filesystem::exists(program.dir / "Kazutama.mdb"));
    EXPECT_EQ(program.window().history().size(), 0u);
    // The prediction view says there is nothing to predict from and shows no numbers.
    auto* prediction = qobject_cast<PredictionView*>(program.window().openedView(kPrediction)->widget());
    ASSERT_NE(prediction, nullptr);
    EXPECT_TRUE(prediction->hasNothingToPredict());
    EXPECT_EQ(prediction->grid(3)->grid().text(2, 2), "");
    // An empty history still opens every view with its headings.
    program.trigger("mnuSyutugenHindo");
    EXPECT_TRUE(program.isOpen(kFrequency));
}

// The first message offers the sample that comes with the program; taken, it is what every view shows.
TEST(MainFrmTest, ANewDatabaseReadsTheSampleHistoryWithOneClick) {
    ProgramFixture program(/*withSampleHistory=*/false, [](ProgramFixture& fixture) {
        std::filesystem::copy_file(KAZUTAMA_SAMPLE_HISTORY, fixture.dir / "loto7-history.csv");
        fixture.dialogs.choices.push_back(0);
    });
    ASSERT_FALSE(program.dialogs.questions.empty());
    EXPECT_EQ(program.dialogs.questions.front().buttons.front(), "サンプルを読み込む(&S)");
    const auto sample = DrawStore::open(program.window().connectionString())->loadHistory().value();
    EXPECT_EQ(program.window().history().size(), sample.size());
    EXPECT_GE(sample.size(), 695u);
    auto* prediction = qobject_cast<PredictionView*>(program.window().openedView(kPrediction)->widget());
    ASSERT_NE(prediction, nullptr);
    EXPECT_FALSE(prediction->hasNothingToPredict());
    EXPECT_NE(prediction->grid(3)->grid().text(2, 2), "");
}

TEST(MainFrmTest, EscClosesTheAboutBoxCtrlPPrintsTheActiveTableAndCtrlQQuits) {
    ProgramFixture program;
    program.trigger("mnuAbout");
    // The box deletes itself once closed.
    QPointer<QWidget> about = program.window().findChild<QWidget*>(QStringLiteral("バージョン情報"));
    ASSERT_NE(about, nullptr);
    about->activateWindow();
    ProgramFixture::settle();
    QTest::keyClick(about, Qt::Key_Escape);
    ProgramFixture::settle();
    EXPECT_TRUE(!about || !about->isVisible());

    // Back in the main window, which reopens the prediction view, with the table brought to the front.
    program.window().activateWindow();
    ProgramFixture::settle();
    program.trigger("mnuSyutugenHindo");
    QString preview;
    QTimer::singleShot(300, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            preview = modal->windowTitle();
            modal->close();
        }
    });
    QTest::keyClick(program.window().mdiArea(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(preview, QStringLiteral("印刷プレビュー - 出現頻度分析"));

    program.window().activateWindow();
    ProgramFixture::settle();
    QTest::keyClick(program.window().mdiArea(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(program.window().isVisible());
}

TEST(MainFrmTest, StartUpMakesTheMissingFoldersOfItsFilesAndNamesOneItCannotMake) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    {
        MainFrm window(AppFiles{dir / "データ" / "当選", dir / "設定" / "Kazutama.ini"});
        ASSERT_TRUE(window.load());
        EXPECT_TRUE(std::filesystem::exists(dir / "データ" / "当選" / "Kazutama.mdb"));
        window.close();
        EXPECT_TRUE(std::filesystem::exists(dir / "設定" / "Kazutama.ini"));
    }
    dialogs.messages.clear();
    test::writeFile(dir / "ファイル", "");
    MainFrm window(AppFiles{dir / "ファイル" / "当選", dir / "Kazutama.ini"});
    EXPECT_FALSE(window.load());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(dialogs.messages.front().text.contains(qs(quotePath(dir / "ファイル" / "当選"))))
        << dialogs.messages.front().text.toStdString();
    EXPECT_TRUE(dialogs.messages.front().text.endsWith("\nKazutamaを終了します。"));
}

TEST(MainFrmTest, UnusableDatabaseStopsStartUpAndIsLeftAlone) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    test::writeFile(dir / "Kazutama.mdb", "this is not a history database");
    MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
    EXPECT_FALSE(window.load());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(dialogs.messages.front().text.contains("Kazutama.mdb"));
    EXPECT_TRUE(dialogs.messages.front().text.endsWith("\nKazutamaを終了します。"));
    EXPECT_FALSE(dialogs.messages.front().underBusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(readFile(dir / "Kazutama.mdb"), "this is not a history database");
}

TEST(MainFrmTest, ASecondProgramOnTheSameDatabaseIsRefusedUntilTheFirstEnds) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    const AppFiles files{dir.path(), dir / "Kazutama.ini"};
    {
        MainFrm first(files);
        ASSERT_TRUE(first.load());
        const size_t before = dialogs.messages.size();
        MainFrm second(files);
        EXPECT_FALSE(second.load());
        ASSERT_EQ(dialogs.messages.size(), before + 1);
        const QString text = dialogs.messages.back().text;
        EXPECT_TRUE(text.contains("ほかのKazutamaで使用中です"));
        EXPECT_TRUE(text.contains(QString::fromStdString((dir / "Kazutama.mdb").string())));
    }
    MainFrm again(files);
    EXPECT_TRUE(again.load());
}

// Whatever an earlier version left where it kept its lock file, the program starts.
TEST(MainFrmTest, LeftoverLockFilesDoNotStopStartUp) {
    for (const char* content : {"", "garbage", "4242\nKazutama\nanother-pc\n{4f1c2a}\n"}) {
        SCOPED_TRACE(content);
        test::TempDir dir;
        test::ScriptedDialogs dialogs;
        test::writeFile(dir / "Kazutama.mdb.lock", content);
        MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
        EXPECT_TRUE(window.load());
    }
}

// A database the user may read but not write cannot be locked: the program says so once, shows the
// analyses, and the entry command explains why it does not open.
TEST(MainFrmTest, ADatabaseThatCannotBeLockedOpensReadOnly) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    const std::filesystem::path database = dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(database)));
    namespace fs = std::filesystem;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(database, fs::perms::owner_read | fs::perms::others_read);
    MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
    {
        test::OrdinaryUser user;
        ASSERT_TRUE(window.load());
    }
    EXPECT_TRUE(window.isReadOnly());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().icon, Dialogs::Icon::Warning);
    const QString notice = dialogs.messages.front().text;
    EXPECT_TRUE(notice.contains(QString::fromStdString(quotePath(database)))) << notice.toStdString();
    EXPECT_TRUE(notice.contains("読み取り専用で開きます")) << notice.toStdString();

    window.findChild<QAction*>("mnuMasterInput")->trigger();
    EXPECT_EQ(window.openedView(qs(kEntryViewName)), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages.back().text.startsWith(
        "読み取り専用で開いているため、当選データ入力は使用できません。"))
        << dialogs.messages.back().text.toStdString();
    window.openView(kFrequency);
    EXPECT_NE(window.openedView(kFrequency), nullptr);
    window.openView(kPrediction);
    auto* addTickets = window.findChild<QPushButton*>("Cmd購入数字に追加");
    ASSERT_NE(addTickets, nullptr);
    EXPECT_FALSE(addTickets->isEnabled());
    EXPECT_TRUE(addTickets->toolTip().startsWith("読み取り専用で開いているため"))
        << addTickets->toolTip().toStdString();
}

TEST(MainFrmTest, AboutBoxPlacesItselfFromTheMainWindow) {
    ProgramFixture program;
    program.window().setGeometry(90, 60, 900, 700);
    ProgramFixture::settle();
    program.trigger("mnuAbout");
    auto* about = program.window().findChild<AboutBox*>("バージョン情報");
    ASSERT_NE(about, nullptr);
    const QRect frame = program.window().frameGeometry();
    EXPECT_EQ(about->pos(), QPoint((frame.width() - frame.left()) / 3, (frame.height() - frame.top()) / 3));
    EXPECT_EQ(about->windowTitle(), "バージョン情報");
    EXPECT_EQ(about->size(), QSize(336, 336));
    EXPECT_NE(about->findChild<QWidget*>("Command1"), nullptr);
    // It names the files in use, for the user who wants to back them up.
    const QString files = about->findChild<QLabel*>("lblFiles")->toolTip();
    EXPECT_TRUE(files.contains(QString::fromStdString((program.dir / "Kazutama.mdb").string())))
        << files.toStdString();
    EXPECT_TRUE(files.contains(QString::fromStdString(program.settingsFile.string()))) << files.toStdString();
}

TEST(MainFrmTest, ReturningFromAnotherProgramWindowReopensThePrediction) {
    ProgramFixture program;
    program.closeView(kPrediction);
    ASSERT_FALSE(program.isOpen(kPrediction));
    program.trigger("mnuAbout");
    auto* about = program.window().findChild<AboutBox*>("バージョン情報");
    ASSERT_NE(about, nullptr);
    about->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(about, 2000));
    about->close();
    program.window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&program.window(), 2000));
    ProgramFixture::settle();
    EXPECT_TRUE(program.isOpen(kPrediction));
}

void copyHelpFiles(const std::filesystem::path& folder) {
    std::filesystem::copy_file(KAZUTAMA_HELP_COLLECTION, folder / "Kazutama.qhc");
    std::filesystem::copy_file(std::filesystem::path(KAZUTAMA_HELP_COLLECTION).replace_extension(".qch"),
                               folder / "Kazutama.qch");
}

HelpWindow* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible())
            return help;
    return nullptr;
}

TEST(MainFrmTest, F1OpensThePageOfTheViewInFrontOrOfTheMainWindow) {
    ProgramFixture program;
    copyHelpFiles(program.dir.path());
    ASSERT_NE(program.action("actHelpContext"), nullptr);
    program.trigger("mnuSyutugenHindo");
    program.trigger("actHelpContext");
    HelpWindow* help = helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentTopicTitle(), kFrequency);
    // The window title names the topic.
    EXPECT_TRUE(help->windowTitle().startsWith(kFrequency)) << help->windowTitle().toStdString();
    help->close();

    program.closeView(kFrequency);
    program.closeView(kPrediction);
    program.trigger("actHelpContext");
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->currentTopicTitle(), "メイン ウィンドウとメニュー");
    helpWindow()->close();
}

TEST(MainFrmTest, HelpOpensAtTheOverviewTopicOrSaysItIsMissing) {
    ProgramFixture program;
    program.trigger("mnuHelpFile"); // no help files in this program folder
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    EXPECT_TRUE(program.dialogs.messages.front().text.contains("ヘルプファイルが見つかりません"));
    // Nor is a FIFO in the collection's place, which the help engine would wait on for ever.
    ASSERT_EQ(::mkfifo((program.dir / "Kazutama.qhc").c_str(), 0600), 0);
    program.trigger("mnuHelpFile");
    ASSERT_EQ(program.dialogs.messages.size(), 2u);
    EXPECT_TRUE(program.dialogs.messages.back().text.contains("ヘルプファイルが見つかりません"));
    std::filesystem::remove(program.dir / "Kazutama.qhc");

    copyHelpFiles(program.dir.path());
    program.trigger("mnuHelpFile");
    HelpWindow* help = helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentTopicTitle(), "Kazutamaについて");
    // The whole index, with the topic's keyword selected in it; nothing typed into the search field.
    auto* index = help->findChild<QHelpIndexWidget*>("helpIndex");
    ASSERT_NE(index, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([index] { return index->currentIndex().isValid(); }, 5000));
    EXPECT_EQ(index->currentIndex().data().toString(), "Kazutamaについて");
    EXPECT_FALSE(
        index->model()->match(index->model()->index(0, 0), Qt::DisplayRole, "当選データ入力").isEmpty());
    EXPECT_TRUE(help->findChild<QLineEdit*>("keywordEdit")->text().isEmpty());

    // The keyboard alone finds a page: a keyword typed, Down to the next one, Enter.
    auto* edit = help->findChild<QLineEdit*>("keywordEdit");
    edit->setText(QStringLiteral("差分"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([help] { return help->currentTopicTitle() == "数字間隔分析"; }, 3000))
        << help->currentTopicTitle().toStdString();
    edit->clear();
    edit->setText(QStringLiteral("印刷"));
    const int selected = index->currentIndex().row();
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(index->currentIndex().row(), selected + 1);
    help->close();
}

// A control's rectangle in the coordinates of the view it sits in.
QRect placeIn(const QWidget* view, const QWidget* control) {
    return QRect(control->mapTo(view, QPoint(0, 0)), control->size());
}

// The controls of a view, however small its window, each keep a place of their own.
void expectApart(const QWidget* view, const QList<QWidget*>& controls) {
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(placeIn(view, controls[i]).intersects(placeIn(view, controls[j])))
                << view->objectName().toStdString() << ": " << controls[i]->objectName().toStdString()
                << " / " << controls[j]->objectName().toStdString();
}

TEST(MainFrmTest, TiledWindowsSmallerThanTheirContentKeepTheirLayout) {
    ProgramFixture program;
    program.window().resize(640, 480);
    program.trigger("mnuSyutugenHindo");
    program.trigger("mnuSyutugenKaisu");
    for (const char* tiling : {"mnuWindowVertical", "mnuWindowHorizontal"}) {
        program.trigger(tiling);
        QWidget* prediction = program.window().openedView(kPrediction)->widget();
        QList<QWidget*> predictionControls;
        for (QGroupBox* frame : prediction->findChildren<QGroupBox*>())
            if (frame->title() == "データ分析オプション")
                predictionControls << frame;
        ASSERT_EQ(predictionControls.size(), 1);
        for (int i = 0; i < 4; ++i)
            predictionControls << prediction->findChild<QWidget*>(QStringLiteral("fpSpread1(%1)").arg(i));
        expectApart(prediction, predictionControls);
        for (const QString& name : {kFrequency, kByCount}) {
            QWidget* view = program.window().openedView(name)->widget();
            QList<QWidget*> controls;
            for (const char* control : {"Label1", "fpSpread1", "Command1", "Command2"})
                if (auto* widget = view->findChild<QWidget*>(control))
                    controls << widget;
            expectApart(view, controls);
        }
    }
}

// Nothing is cut and nothing scrolls while a window has the size it was designed with.
TEST(MainFrmTest, ViewsShowTheirWholeContentAtTheirDesignedSize) {
    ProgramFixture program;
    // The size the main window takes on a 1280 x 1024 screen: the offscreen screen is too small for the
    // widest views, and a view the main window cuts off hides part of its label.
    program.window().resize(1152, 972);
    QStringList views = {kPrediction};
    for (const ViewEntry& entry : ViewCatalogue::entries())
        views << qs(entry.windowName);
    for (const QString& name : views) {
        program.window().openView(name);
        ProgramFixture::settle();
        QWidget* view = program.window().openedView(name)->widget();
        auto* page = view->findChild<QScrollArea*>("pageScrollArea");
        ASSERT_NE(page, nullptr) << name.toStdString();
        EXPECT_FALSE(page->horizontalScrollBar()->isVisible()) << name.toStdString();
        EXPECT_FALSE(page->verticalScrollBar()->isVisible()) << name.toStdString();
        // Label1 wraps within its width (回数別頻度分析 is 227 pixels wide) and shows all its lines.
        auto* label = view->findChild<QLabel*>("Label1");
        if (!label)
            continue;
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10000), label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
        EXPECT_LE(needed.width(), room.width()) << name.toStdString();
        EXPECT_LE(needed.height(), room.height()) << name.toStdString();
        EXPECT_EQ(label->visibleRegion(), QRegion(label->rect())) << name.toStdString();
    }
}

} // namespace
} // namespace kazutama
