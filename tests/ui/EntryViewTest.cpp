#include "entry/EntryView.h"

#include "common/QuotedInput.h"
#include "entry/EntryModel.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ui/PredictionView.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/Transaction.h"
#include "ui/UiTestSupport.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <unistd.h>

namespace kazutama {
namespace {

using test::ProgramFixture;

const QString kEntry = QStringLiteral("当選データ入力");
const QString kPrediction = QStringLiteral("一発Kazutama予想");

class EntryViewTest : public ::testing::Test {
protected:
    EntryViewTest() {
        m_program.closeView(kPrediction);
        m_program.trigger("mnuMasterInput");
        QMdiSubWindow* window = m_program.window().openedView(kEntry);
        EXPECT_NE(window, nullptr);
        m_view = window ? qobject_cast<EntryView*>(window->widget()) : nullptr;
        // Watches every change the test makes from here on; a broken model contract ends the test.
        if (m_view && m_view->model())
            new QAbstractItemModelTester(model(), QAbstractItemModelTester::FailureReportingMode::Fatal,
                                         model());
    }

    QTableView* grid() { return m_view->grid(); }
    EntryModel* model() { return m_view->model(); }
    int lastRow() { return model()->rowCount() - 1; }

    // Types into a number cell the way a user does and confirms it with Enter.
    void type(int row, int column, const QString& text) {
        const QModelIndex index = model()->index(row, column);
        grid()->setCurrentIndex(index);
        grid()->edit(index);
        auto* editor = grid()->findChild<QLineEdit*>("numberEditor");
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        ProgramFixture::settle();
    }

    std::optional<DrawRecord> stored(int drawNumber) {
        // Read through a connection of its own, as another program would.
        auto store = DrawStore::open(m_program.window().connectionString());
        EXPECT_TRUE(store);
        return store->findDraw(drawNumber).value();
    }

    void answer(bool yes) { m_program.dialogs.answer(yes); }

    ProgramFixture m_program;
    EntryView* m_view = nullptr;
};

TEST_F(EntryViewTest, OpensWithEveryStoredDraw) {
    ASSERT_NE(m_view, nullptr);
    EXPECT_EQ(m_view->windowTitle(), kEntry);
    EXPECT_EQ(model()->rowCount(), int(m_program.window().history().size()));
    EXPECT_EQ(model()->index(0, 0).data().toString(), "1");
    EXPECT_EQ(model()->index(0, 9).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(197, 255, 255));
    EXPECT_EQ(model()->index(0, 8).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_EQ(model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_FALSE(model()->flags(model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m_program.window().propEnd());
    EXPECT_EQ(grid()->rowHeight(0), GridMetrics::rowPixels(10)); // as high as the analyses' rows
}

TEST_F(EntryViewTest, TypedDrawInANewRowIsStored) {
    const int newDraw = model()->drawNumberAt(lastRow()) + 1;
    grid()->setCurrentIndex(model()->index(lastRow(), 3));
    answer(true);
    m_view->addLine();
    ASSERT_EQ(model()->drawNumberAt(lastRow()), newDraw);
    EXPECT_EQ(grid()->currentIndex(), model()->index(lastRow(), 3));
    EXPECT_EQ(m_program.dialogs.questions.back().text,
              "選択された行のうしろに行を追加します。よろしいですか？");
    EXPECT_EQ(m_program.dialogs.questions.back().title, "Kazutama");
    ASSERT_TRUE(stored(newDraw).has_value()); // stored at once, without numbers

    const int numbers[] = {3, 8, 14, 21, 25, 30, 36, 2, 19};
    for (int c = 1; c <= 9; ++c)
        type(lastRow(), c, QString::number(numbers[c - 1]));
    EXPECT_EQ(stored(newDraw)->numbers, (std::array<int, 9>{3, 8, 14, 21, 25, 30, 36, 2, 19}));
    // A table opened meanwhile shows the history as it was, until the entry view closes.
    const QString pull = QStringLiteral("引っ張り分析");
    m_program.trigger("mnuHippari");
    const auto pullRows = [&] {
        QMdiSubWindow* window = m_program.window().openedView(pull);
        return window ? window->widget()->findChild<ResultGridView*>("fpSpread1")->grid().rowCount() : 0;
    };
    const int rowsBefore = pullRows();

    m_view->validateAndClose();
    EXPECT_FALSE(m_program.isOpen(kEntry));
    EXPECT_TRUE(m_program.window().propEnd());

    // The prediction that opens next is that of the history with the new draw, as read from the file.
    EXPECT_EQ(m_program.window().workspace().summary().latestDrawNumber, newDraw);
    ProgramFixture::settle();
    EXPECT_EQ(pullRows(), rowsBefore + 1);
    m_program.trigger("mnuYoso");
    QMdiSubWindow* window = m_program.window().openedView(kPrediction);
    ASSERT_NE(window, nullptr);
    auto* prediction = qobject_cast<PredictionView*>(window->widget());
    ASSERT_NE(prediction, nullptr);
    PredictionEngine engine;
    engine.fillTables(
        Snapshot(DrawStore::open(m_program.window().connectionString())->loadHistory().value()));
    const auto expected = predictionGrids(engine.run(m_program.window().analysisOptions()));
    for (int grid = 0; grid < kPredictionGridCount; ++grid)
        for (int row = 1; row <= expected[std::size_t(grid)].rowCount(); ++row)
            for (int column = 1; column <= expected[std::size_t(grid)].columnCount(); ++column)
                EXPECT_EQ(prediction->grid(grid)->grid().text(column, row),
                          expected[std::size_t(grid)].text(column, row));
}

TEST_F(EntryViewTest, WrongNumbersStayInTheGridAreReportedAndNeverStored) {
    const int first = model()->drawNumberAt(0), second = model()->drawNumberAt(1);
    const DrawRecord before1 = *stored(first), before2 = *stored(second);
    type(1, 9, "38");
    type(1, 2, "12.5");
    type(0, 7, "0");
    EXPECT_EQ(model()->index(1, 9).data().toString(), "38");
    EXPECT_EQ(*stored(first), before1);
    EXPECT_EQ(*stored(second), before2);

    m_view->validateAndClose();
    ASSERT_EQ(m_program.dialogs.messages.size(), 1u);
    EXPECT_EQ(m_program.dialogs.messages[0].text, "当選データの数字に誤りがあります。");
    EXPECT_EQ(m_program.dialogs.messages[0].title, QString::fromUtf8("メッセ\xEF\xBC\x8Dジ"));
    EXPECT_EQ(m_program.dialogs.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(grid()->currentIndex(), model()->index(0, 7)); // row first, then column
    EXPECT_TRUE(m_program.isOpen(kEntry));

    type(0, 7, QString::number(before1.numbers[6]));
    m_view->validateAndClose();
    EXPECT_EQ(grid()->currentIndex(), model()->index(1, 2));
    type(1, 2, "");
    m_view->validateAndClose();
    EXPECT_EQ(grid()->currentIndex(), model()->index(1, 9));
    EXPECT_EQ(m_program.dialogs.messages.size(), 3u);

    // A valid number typed beside a wrong one is stored with the database's value of the wrong cell.
    type(1, 1, "1");
    DrawRecord expected = before2;
    expected.numbers[0] = 1;
    expected.numbers[1] = kNoNumber;
    EXPECT_EQ(*stored(second), expected);
}

TEST_F(EntryViewTest, TypingIsLimitedToDigitsAndThePoint) {
    type(0, 1, "a7b");
    EXPECT_EQ(model()->index(0, 1).data().toString(), "7");
}

TEST_F(EntryViewTest, EmptyCellsCloseFine) {
    answer(true);
    grid()->setCurrentIndex(model()->index(lastRow(), 1));
    m_view->addLine();
    type(lastRow(), 1, "5");
    type(0, 4, "");
    m_view->validateAndClose();
    EXPECT_TRUE(m_program.dialogs.messages.empty());
    EXPECT_FALSE(m_program.isOpen(kEntry));
    EXPECT_EQ(stored(1)->numbers[3], kNoNumber); // an incomplete draw is allowed
}

TEST_F(EntryViewTest, DeleteAndBackspaceEmptyTheSelectedNumberCells) {
    type(2, 3, "38"); // a wrongly typed cell is emptied too, and then stored as missing
    for (const auto& [key, row] : {std::pair{Qt::Key_Delete, 0}, std::pair{Qt::Key_Backspace, 2}}) {
        std::vector<DrawRecord> expected = {*stored(model()->drawNumberAt(row)),
                                            *stored(model()->drawNumberAt(row + 1))};
        // A block of two rows that takes in the draw-number column, which keeps its numbers.
        grid()->setCurrentIndex(model()->index(row, 0));
        grid()->selectionModel()->select(QItemSelection(model()->index(row, 0), model()->index(row + 1, 3)),
                                         QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(grid(), key);
        for (int r = 0; r < 2; ++r) {
            EXPECT_EQ(model()->index(row + r, 0).data().toString(), QString::number(expected[r].drawNumber));
            for (int c = 1; c <= 3; ++c) {
                EXPECT_EQ(model()->index(row + r, c).data().toString(), "") << key << " " << r << " " << c;
                expected[r].numbers[c - 1] = kNoNumber;
            }
            EXPECT_NE(model()->index(row + r, 4).data().toString(), "");
            EXPECT_EQ(*stored(expected[r].drawNumber), expected[r]) << key;
        }
    }
    EXPECT_TRUE(m_program.dialogs.messages.empty());
}

TEST_F(EntryViewTest, DeleteAnsweredNoChangesNothingAndYesRemovesTheDraw) {
    const int rows = model()->rowCount();
    const int draw = model()->drawNumberAt(4);
    grid()->setCurrentIndex(model()->index(4, 2));
    answer(false);
    m_view->deleteLine();
    EXPECT_EQ(model()->rowCount(), rows);
    EXPECT_TRUE(stored(draw).has_value());
    EXPECT_EQ(m_program.dialogs.questions.back().text, "選択された行を削除します。よろしいですか？");

    answer(true);
    m_view->deleteLine();
    EXPECT_EQ(model()->rowCount(), rows - 1);
    EXPECT_FALSE(stored(draw).has_value());
    EXPECT_NE(model()->drawNumberAt(4), draw);

    answer(false);
    m_view->addLine();
    EXPECT_EQ(model()->rowCount(), rows - 1);
}

TEST_F(EntryViewTest, RowMenuOpensOnlyOnTheHeadingOfADataRow) {
    QWidget* header = grid()->verticalHeader()->viewport();
    QHeaderView* headings = grid()->verticalHeader();
    auto request = [&](QWidget* target, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        ProgramFixture::settle();
        const bool shown = m_view->editMenu()->isVisible();
        m_view->editMenu()->hide();
        return shown;
    };
    // The pop-up is the 編集 menu, which holds the two row commands; CSV has a menu of its own.
    auto names = [](QMenu* menu) {
        QStringList list;
        for (QAction* action : menu->actions())
            list << action->objectName() + " " + action->text();
        return list;
    };
    EXPECT_EQ(names(m_view->editMenu()), QStringList({"mnuAddLine 行追加", "mnuDelLine 行削除"}));
    auto* csv = m_view->findChild<QMenu*>("mnuCsv");
    ASSERT_NE(csv, nullptr);
    EXPECT_EQ(names(csv), QStringList({"mnuImportCsv CSV取り込み...", "mnuExportCsv CSV書き出し..."}));

    grid()->setCurrentIndex(model()->index(2, 3));
    EXPECT_TRUE(request(header, QPoint(5, headings->sectionViewportPosition(2) + 3)));
    EXPECT_FALSE(request(grid()->viewport(), grid()->visualRect(model()->index(2, 3)).center()));

    // Below the last row there is no row to act on.
    {
        auto other = DrawStore::open(m_program.window().connectionString());
        ASSERT_TRUE(other);
        ASSERT_TRUE(other->database().exec("DELETE FROM 全データ選択クエリ WHERE 回数 > 3"));
    }
    ASSERT_TRUE(model()->reload());
    ASSERT_EQ(model()->rowCount(), 3);
    grid()->setCurrentIndex(model()->index(0, 1));
    EXPECT_FALSE(
        request(header, QPoint(5, headings->sectionViewportPosition(2) + headings->sectionSize(2) + 10)));

    // A selection over several rows does not open it either.
    grid()->selectionModel()->select(QItemSelection(model()->index(0, 1), model()->index(2, 1)),
                                     QItemSelectionModel::ClearAndSelect);
    EXPECT_FALSE(request(header, QPoint(5, headings->sectionViewportPosition(1) + 3)));
}

TEST_F(EntryViewTest, FailedWriteIsReportedAndLosesNothing) {
    const int draw = model()->drawNumberAt(0);
    const DrawRecord before = *stored(draw);
    {
        // Another program holds the database locked.
        auto other = DrawStore::open(m_program.window().connectionString());
        ASSERT_TRUE(other);
        ASSERT_TRUE(other->database().exec("BEGIN EXCLUSIVE"));
        type(0, 1, "36");
        ASSERT_EQ(m_program.dialogs.messages.size(), 1u);
        EXPECT_EQ(m_program.dialogs.messages[0].icon, Dialogs::Icon::Critical);
        EXPECT_TRUE(m_program.dialogs.messages[0].text.contains("データベース"));
        ASSERT_TRUE(other->database().exec("ROLLBACK"));
    }
    EXPECT_EQ(*stored(draw), before);
    EXPECT_EQ(model()->index(0, 1).data().toString(), QString::number(before.numbers[0]));
}

TEST_F(EntryViewTest, CloseBoxClosesWithoutValidation) {
    type(0, 1, "99");
    m_program.closeView(kEntry);
    EXPECT_FALSE(m_program.isOpen(kEntry));
    EXPECT_TRUE(m_program.dialogs.messages.empty());
}

} // namespace
} // namespace kazutama

namespace kazutama {
namespace {

TEST_F(EntryViewTest, ImportShowsAPreviewAndWritesOnlyWhatWasChosen) {
    const QString file = QString::fromStdString(
        (std::filesystem::path(KAZUTAMA_IMPORT_SAMPLES) / "asuberu1979_loto7-windmill__loto7_data.csv")
            .string());
    const int rows = model()->rowCount();

    m_program.dialogs.openFiles.push_back(file);
    m_view->importCsv(); // answered with Cancel
    ASSERT_EQ(m_program.dialogs.questions.size(), 1u);
    EXPECT_TRUE(m_program.dialogs.questions[0].text.contains("新しい回: 1 件"));
    EXPECT_EQ(m_program.dialogs.questions[0].buttons, QStringList({"取り込む(&O)", "キャンセル"}));
    EXPECT_EQ(model()->rowCount(), rows);
    EXPECT_FALSE(stored(696).has_value());

    m_program.dialogs.openFiles.push_back(file);
    m_program.dialogs.choices.push_back(0); // 取り込む
    m_view->importCsv();
    EXPECT_EQ(model()->rowCount(), rows + 1);
    EXPECT_EQ(stored(696)->numbers, (std::array<int, 9>{10, 11, 15, 16, 23, 24, 34, 14, 35}));
    EXPECT_EQ(model()->drawNumberAt(rows), 696);

    // A file without draw numbers or dates is numbered in file order; the preview warns of it.
    test::TempDir dir;
    // Its name, in Japanese, reaches the file system and the question as the dialog gave it.
    test::writeFile(dir / "日付なし.csv", "本数字,ボーナス数字\n20 24 29 31 33 34 35,12 32\n");
    m_program.dialogs.openFiles.push_back(fromPath(dir / "日付なし.csv"));
    m_view->importCsv();
    ASSERT_EQ(m_program.dialogs.questions.size(), 3u);
    EXPECT_TRUE(m_program.dialogs.questions[2].text.contains("上の行ほど古い回とみなして"))
        << m_program.dialogs.questions[2].text.toStdString();
    EXPECT_TRUE(m_program.dialogs.questions[2].text.contains("日付なし.csv」"));

    // Draws with a number twice are listed, the first dozen of them: the question stays readable.
    std::string repeated = "本数字,ボーナス数字\n";
    for (int line = 0; line < 30; ++line)
        repeated += "1 1 2 3 4 5 6,7 8\n";
    test::writeFile(dir / "repeated.csv", repeated);
    m_program.dialogs.openFiles.push_back(QString::fromStdString((dir / "repeated.csv").string()));
    m_view->importCsv();
    ASSERT_EQ(m_program.dialogs.questions.size(), 4u);
    const QString text = m_program.dialogs.questions[3].text;
    EXPECT_TRUE(text.contains("同じ数字が 2 回以上ある回: 1、2、3、4、5、6、7、8、9、10、11、12 ほか 18 回"))
        << text.toStdString();
}

TEST_F(EntryViewTest, ImportEmptiesStoredNumbersOnlyWhenTheQuestionListedThem) {
    test::TempDir dir;
    std::string csv = std::string(kHistoryCsvHeader) + "\n";
    for (int draw = 1; draw <= 14; ++draw)
        csv += std::to_string(draw) + ",,,,,,,,,\n";
    test::writeFile(dir / "blank.csv", csv);
    const QString file = QString::fromStdString((dir / "blank.csv").string());
    const DrawRecord first = *stored(1);

    for (int choice : {1, 2}) { // 新しい回だけ取り込む, キャンセル
        m_program.dialogs.openFiles.push_back(file);
        m_program.dialogs.choices.push_back(choice);
        m_view->importCsv();
        EXPECT_EQ(*stored(1), first) << choice;
    }
    ASSERT_EQ(m_program.dialogs.questions.size(), 2u);
    const QString text = m_program.dialogs.questions[0].text;
    EXPECT_TRUE(text.contains("空欄になる回: 1、2、3、4、5、6、7、8、9、10、11、12 ほか 2 回"))
        << text.toStdString();

    m_program.dialogs.openFiles.push_back(file);
    m_program.dialogs.choices.push_back(0);
    m_view->importCsv();
    EXPECT_EQ(stored(14)->numbers, (std::array<int, 9>{}));
    EXPECT_EQ(model()->index(0, 1).data().toString(), "");
}

TEST_F(EntryViewTest, RejectedImportNamesTheLineAndChangesNothing) {
    test::TempDir dir;
    test::writeFile(dir / "bad.csv", "round,numbers,bonus\n700,1 2 3 4 5 6 7,8 9\n701,1 2 3 4 5 6 77,8 9\n");
    m_program.dialogs.openFiles.push_back(QString::fromStdString((dir / "bad.csv").string()));
    const int rows = model()->rowCount();
    m_view->importCsv();
    ASSERT_EQ(m_program.dialogs.messages.size(), 1u);
    EXPECT_TRUE(m_program.dialogs.messages[0].text.contains("3行目"));
    EXPECT_TRUE(m_program.dialogs.questions.empty());
    EXPECT_EQ(model()->rowCount(), rows);
    EXPECT_FALSE(stored(700).has_value());
}

TEST_F(EntryViewTest, ExportWritesTheWholeHistoryInKazutamasLayout) {
    test::TempDir dir;
    m_program.dialogs.saveFiles.push_back(QString::fromStdString((dir / "out.csv").string()));
    m_view->exportCsv();
    EXPECT_EQ(test::readFile(dir / "out.csv"), test::readFile(KAZUTAMA_SAMPLE_HISTORY));
}

TEST_F(EntryViewTest, ExportOntoAFullDeviceOrAFifoNobodyReadsFailsInJapaneseAndLeavesThemAsTheyWere) {
    test::TempDir dir;
    // As root a faulty writer would replace the system's /dev/full; a node of the same device stands in.
    std::filesystem::path full = "/dev/full";
    if (::geteuid() == 0 && ::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        full = dir / "full";
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    for (const auto& [path, type, cause] :
         {std::tuple(full, mode_t(S_IFCHR), "ディスクの空き容量が足りません"),
          std::tuple(dir / "pipe", mode_t(S_IFIFO),
                     "名前付きパイプを読み出しているプログラムがありません")}) {
        m_program.dialogs.messages.clear();
        m_program.dialogs.saveFiles.push_back(QString::fromStdString(path.string()));
        m_view->exportCsv();
        ASSERT_EQ(m_program.dialogs.messages.size(), 1u) << path;
        EXPECT_EQ(m_program.dialogs.messages[0].text.toStdString(),
                  "CSVファイル" + quotePath(path) + "を書き込めませんでした（" + cause + "）。");
        struct stat info {};
        EXPECT_TRUE(::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type) << path;
    }
}

} // namespace
} // namespace kazutama

namespace kazutama {
namespace {

TEST_F(EntryViewTest, AnEditNeverOverwritesWhatAnotherProgramStoredMeanwhile) {
    const int draw = model()->drawNumberAt(0);
    const DrawRecord before = *stored(draw);
    auto other = DrawStore::open(m_program.window().connectionString());
    ASSERT_TRUE(other);

    // The other program changes the first number; this grid still shows the old one there.
    DrawRecord theirs = before;
    theirs.numbers[0] = before.numbers[0] % 37 + 1;
    ASSERT_TRUE(other->writeNumber(draw, 0, before.numbers[0], theirs.numbers[0]));
    // A different number of the same draw is written alone and keeps their change.
    const int mine = before.numbers[1] % 37 + 1;
    type(0, 2, QString::number(mine));
    EXPECT_TRUE(m_program.dialogs.messages.empty());
    DrawRecord expected = theirs;
    expected.numbers[1] = mine;
    EXPECT_EQ(*stored(draw), expected);

    // The number they changed is not overwritten: the user is told and sees what is stored now.
    type(0, 1, QString::number(theirs.numbers[0] % 37 + 1));
    ASSERT_EQ(m_program.dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        m_program.dialogs.messages[0].text.contains(QStringLiteral("ほかのプログラムで変更されていた")));
    EXPECT_EQ(*stored(draw), expected);
    EXPECT_EQ(model()->index(0, 1).data().toString(), QString::number(theirs.numbers[0]));
}

TEST_F(EntryViewTest, ADeleteNeverRemovesADrawAnotherProgramChangedMeanwhile) {
    const int rows = model()->rowCount();
    const int draw = model()->drawNumberAt(4);
    DrawRecord theirs = *stored(draw);
    theirs.numbers[0] = theirs.numbers[0] % 37 + 1;
    auto other = DrawStore::open(m_program.window().connectionString());
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->writeNumber(draw, 0, stored(draw)->numbers[0], theirs.numbers[0]));

    grid()->setCurrentIndex(model()->index(4, 2));
    answer(true);
    m_view->deleteLine();
    ASSERT_EQ(m_program.dialogs.messages.size(), 1u);
    EXPECT_TRUE(m_program.dialogs.messages[0].text.startsWith(
        QStringLiteral("第%1回の当選データは、ほかのプログラムで変更されていたため").arg(draw)));
    EXPECT_EQ(*stored(draw), theirs);
    EXPECT_EQ(model()->rowCount(), rows);
    EXPECT_EQ(model()->index(4, 1).data().toString(), QString::number(theirs.numbers[0]));

    // A draw the other program has deleted leaves the grid.
    ASSERT_EQ(other->deleteDraw(theirs).value(), DrawStore::WriteOutcome::Written);
    answer(true);
    m_view->deleteLine();
    EXPECT_EQ(m_program.dialogs.messages.size(), 2u);
    EXPECT_EQ(model()->rowCount(), rows - 1);
    EXPECT_NE(model()->drawNumberAt(4), draw);
}

TEST_F(EntryViewTest, TheGridHasTheKeyboardAgainAfterAConfirmation) {
    m_program.window().activateWindow();
    QApplication::setActiveWindow(&m_program.window());
    m_view->findChild<QWidget*>("Command1")->setFocus();
    answer(false);
    m_view->addLine();
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

} // namespace
} // namespace kazutama
