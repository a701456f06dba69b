#include "entry/EntryView.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ui/PredictionView.h"
#include "store/Backups.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "ui/UiTestSupport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::ProgramFixture;

const QString kPrediction = qs(kPredictionViewName);
const QString kEntry = qs(kEntryViewName);
const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);

Backups backupsOf(ProgramFixture& program) {
    return Backups(program.window().connectionString());
}

// A backup as if taken at `stamp` ("YYYYMMDD-HHMMSS"), holding the first `draws` draws of the sample.
fs::path makeBackup(const Backups& backups, const std::string& stamp, int draws) {
    fs::create_directories(backups.folder());
    const fs::path file = backups.folder() / ("Kazutama-" + stamp + ".mdb");
    auto store = DrawStore::create(ConnectionString::forDatabase(file));
    EXPECT_TRUE(store && store->importDraws({kSample.begin(), kSample.begin() + draws}));
    return file;
}

void appendTexts(const ResultGrid& grid, std::vector<std::string>& out) {
    for (int r = 1; r <= grid.rowCount(); ++r)
        for (int c = 1; c <= grid.columnCount(); ++c)
            out.emplace_back(grid.text(c, r));
}

// The texts of the prediction view's four tables.
std::vector<std::string> shownPrediction(ProgramFixture& program) {
    QMdiSubWindow* window = program.window().openedView(kPrediction);
    auto* view = window ? qobject_cast<PredictionView*>(window->widget()) : nullptr;
    std::vector<std::string> out;
    for (int i = 0; view && i < kPredictionGridCount; ++i)
        appendTexts(view->grid(i)->grid(), out);
    return out;
}

std::vector<std::string> predictionOf(const DrawHistory& history, const AnalysisOptions& options) {
    PredictionEngine engine;
    engine.fillTables(Snapshot(history));
    std::vector<std::string> out;
    for (const ResultGrid& grid : predictionGrids(engine.run(options)))
        appendTexts(grid, out);
    return out;
}

// Opens the entry view and adds a line `writes` times (none: opened and closed only).
void openEntryAndAddLines(ProgramFixture& program, int writes) {
    program.trigger("mnuMasterInput");
    QMdiSubWindow* window = program.window().openedView(kEntry);
    ASSERT_NE(window, nullptr);
    auto* view = qobject_cast<EntryView*>(window->widget());
    for (int i = 0; i < writes; ++i) {
        program.dialogs.answer(true);
        view->addLine();
    }
    program.closeView(kEntry);
}

TEST(RestoreCommandTest, TheEntryViewsFirstWriteOfARunMakesOneBackupHoweverOftenItOpens) {
    const struct {
        const char* name;
        bool folderBlocked; // a file where the backup folder would be
    } cases[] = {{"a backup can be made", false}, {"no backup can be made", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFixture program;
        const Backups backups = backupsOf(program);
        if (c.folderBlocked)
            test::writeFile(backups.folder(), "not a folder");
        program.closeView(kPrediction);
        openEntryAndAddLines(program, 0);
        EXPECT_TRUE(c.folderBlocked || !fs::exists(backups.folder()));
        openEntryAndAddLines(program, 2);
        openEntryAndAddLines(program, 1);

        auto store = DrawStore::open(program.window().connectionString());
        EXPECT_EQ(store->loadHistory()->size(), kSample.size() + 3); // every write went on
        if (c.folderBlocked) {
            ASSERT_EQ(program.dialogs.messages.size(), 1u);
            EXPECT_EQ(program.dialogs.messages[0].icon, Dialogs::Icon::Warning);
            EXPECT_TRUE(program.dialogs.messages[0].text.contains("Kazutama-backups"))
                << program.dialogs.messages[0].text.toStdString();
            continue;
        }
        EXPECT_TRUE(program.dialogs.messages.empty());
        const std::vector<BackupInfo> made = backups.list();
        ASSERT_EQ(made.size(), 1u);
        EXPECT_EQ(made[0].draws, int(kSample.size())); // the history as the run found it
    }
}

TEST(RestoreCommandTest, ListsTheBackupsAndRestoresTheOneChosenInPlaceOfTheHistory) {
    ProgramFixture program;
    const Backups backups = backupsOf(program);
    const fs::path older = makeBackup(backups, "20251220-081500", 10);
    const fs::path chosen = makeBackup(backups, "20260105-103000", 600);
    test::writeFile(backups.folder() / "Kazutama-20260301-090000.mdb", "damaged");
    const std::vector<std::string> before = shownPrediction(program);
    ASSERT_FALSE(before.empty());

    // Cancelled at the list, then at the question: nothing changes, the views stay open.
    program.trigger("mnuRestoreBackup");
    ASSERT_EQ(program.dialogs.rowQuestions.size(), 1u);
    const Dialogs::RowChoice& list = program.dialogs.rowQuestions[0];
    EXPECT_EQ(list.headings, (QStringList{"日時", "回数", "最新の回"}));
    ASSERT_EQ(list.rows.size(), 3u);
    const std::vector<std::pair<QStringList, bool>> rows = {
        {{"2026年3月1日 09:00:00", "読み込めません", ""}, false},
        {{"2026年1月5日 10:30:00", "600", "第600回"}, true},
        {{"2025年12月20日 08:15:00", "10", "第10回"}, true},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(list.rows[i].texts, rows[i].first) << i;
        EXPECT_EQ(list.rows[i].selectable, rows[i].second) << i;
    }
    EXPECT_TRUE(program.dialogs.questions.empty());
    program.dialogs.rowChoices = {1};
    program.dialogs.choices = {1};
    program.trigger("mnuRestoreBackup");
    ASSERT_EQ(program.dialogs.questions.size(), 1u);
    const QString question = program.dialogs.questions[0].text;
    for (const char* part : {"2026年1月5日 10:30:00", "600 回分", "今のファイル", "閉じます"})
        EXPECT_TRUE(question.contains(QString::fromUtf8(part))) << part << " in " << question.toStdString();
    EXPECT_EQ(program.window().history().size(), kSample.size());
    EXPECT_EQ(backups.list().size(), 3u);
    EXPECT_TRUE(program.isOpen(kPrediction));
    EXPECT_TRUE(program.dialogs.messages.empty());

    program.trigger("mnuSyutugenHindo");
    program.dialogs.rowChoices = {1};
    program.dialogs.choices = {0};
    program.trigger("mnuRestoreBackup");
    EXPECT_EQ(program.window().history().records(),
              std::vector<DrawRecord>(kSample.begin(), kSample.begin() + 600));
    EXPECT_EQ(program.window().workspace().summary().latestDrawNumber, 600);
    EXPECT_FALSE(program.isOpen(QStringLiteral("出現頻度分析")));
    ASSERT_EQ(program.window().mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(shownPrediction(program),
              predictionOf(program.window().history(), program.window().analysisOptions()));
    EXPECT_NE(shownPrediction(program), before);

    // The file as it was is the newest backup now, and the message says where.
    const std::vector<BackupInfo> after = backups.list();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(after[0].draws, int(kSample.size()));
    EXPECT_TRUE(fs::exists(older) && fs::exists(chosen));
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    const test::ScriptedDialogs::Shown& done = program.dialogs.messages[0];
    EXPECT_EQ(done.icon, Dialogs::Icon::Information);
    EXPECT_FALSE(done.underBusyCursor);
    EXPECT_TRUE(done.text.contains(QString::fromStdString(after[0].file.filename().string())))
        << done.text.toStdString();

    // The restored history is what the program writes to from now on.
    auto store = DrawStore::open(program.window().connectionString());
    EXPECT_EQ(store->loadHistory()->size(), 600u);
}

TEST(RestoreCommandTest, SaysWhenThereIsNoBackupYet) {
    ProgramFixture program;
    program.trigger("mnuRestoreBackup");
    EXPECT_TRUE(program.dialogs.rowQuestions.empty());
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    EXPECT_TRUE(program.dialogs.messages[0].text.startsWith("バックアップはまだありません。"))
        << program.dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(program.dialogs.messages[0].text.contains("自動"));
}

TEST(RestoreCommandTest, IsRefusedWhileTheDatabaseIsOnlyRead) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    const fs::path database = dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(database)));
    makeBackup(Backups(ConnectionString::forDatabase(database)), "20260105-103000", 600);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(database, fs::perms::owner_read | fs::perms::others_read);
    MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
    {
        test::OrdinaryUser user;
        ASSERT_TRUE(window.load());
    }
    ASSERT_TRUE(window.isReadOnly());
    dialogs.messages.clear();
    window.findChild<QAction*>("mnuRestoreBackup")->trigger();
    EXPECT_TRUE(dialogs.rowQuestions.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        dialogs.messages[0].text.startsWith("読み取り専用で開いているため、バックアップから復元できません。"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(window.history().size(), 0u);
}

} // namespace
} // namespace kazutama
