#include "common/QuotedInput.h"
#include "store/Backups.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/RollbackJournal.h"
#include "support/InterruptedWrite.h"
#include "ui/UiTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
const QString kEnd = QStringLiteral("終了");
const QString kOpenAsItIs = QStringLiteral("今のファイルをそのまま開く");

void import(const fs::path& database, const std::vector<DrawRecord>& draws) {
    auto opened = DrawStore::openOrCreate(ConnectionString::forDatabase(database));
    ASSERT_TRUE(opened) << opened.error().message;
    ASSERT_TRUE(opened->store.importDraws(draws));
}

TEST(StartupRecoveryTest, ADamagedFileIsReplacedByItsNewestBackupWhenTheUserChoosesSo) {
    for (const bool restore : {true, false}) {
        SCOPED_TRACE(restore);
        test::TempDir dir;
        test::ScriptedDialogs dialogs;
        const fs::path database = dir / "Kazutama.mdb";
        import(database, kSample);
        const Backups backups(ConnectionString::forDatabase(database));
        {
            auto store = DrawStore::open(ConnectionString::forDatabase(database));
            ASSERT_TRUE(backups.take(store->database()));
        }
        const BackupInfo backup = *backups.newestReadable();
        std::string bytes = readFile(database);
        bytes[100] = char(bytes[100] ^ 0x01); // nothing reads the file any more
        writeFile(database, bytes);

        dialogs.choices = {restore ? 0 : 1};
        MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
        EXPECT_EQ(window.load(), restore);
        ASSERT_EQ(dialogs.questions.size(), 1u);
        const Dialogs::Question& offer = dialogs.questions[0];
        EXPECT_EQ(offer.icon, Dialogs::Icon::Critical);
        EXPECT_EQ(offer.buttons, (QStringList{"バックアップから復元して開く", kEnd}));
        for (const std::string& part : {quotePath(database), Backups::timeText(backup.takenAt),
                                        std::to_string(kSample.size()) + " 回分"})
            EXPECT_TRUE(offer.text.contains(QString::fromStdString(part)))
                << part << " in " << offer.text.toStdString();
        if (!restore) {
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_EQ(readFile(database), bytes);
            continue;
        }
        EXPECT_EQ(window.history().records(), kSample);
        // The damaged file is kept beside the backups, and the user is told where.
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Information);
        bool kept = false;
        for (const auto& entry : fs::directory_iterator(backups.folder()))
            if (entry.path().extension() == ".unreadable") {
                kept = readFile(entry.path()) == bytes;
                EXPECT_TRUE(
                    dialogs.messages[0].text.contains(QString::fromStdString(entry.path().filename())))
                    << dialogs.messages[0].text.toStdString();
            }
        EXPECT_TRUE(kept);
    }
}

// A journal the library alone wrote, without the record this program makes before a commit.
void leaveUnverifiableJournal(const fs::path& database) {
    EXPECT_TRUE(test::killedWhileCommitting(
        [&] {
            sqlite3* raw = nullptr;
            sqlite3_open(database.c_str(), &raw);
            const std::string key = ConnectionString::forDatabase(database).password();
            sqlite3_key(raw, key.data(), int(key.size()));
            sqlite3_exec(raw, "UPDATE 当選データ SET 第1数字 = 1", nullptr, nullptr, nullptr);
        },
        2));
}

// An interrupted write's journal, then another database copied over the file.
void leaveJournalOfAnotherFile(const fs::path& database) {
    import(database, test::makeRandomHistory(300, 5).records());
    EXPECT_TRUE(test::killedWhileCommitting(
        [&] {
            auto store = DrawStore::open(ConnectionString::forDatabase(database));
            if (store)
                (void)store->importDraws(test::makeRandomHistory(300, 6).records());
        },
        2));
    const fs::path other = database.parent_path() / "other.mdb";
    import(other, kSample);
    writeFile(database, readFile(other));
}

TEST(StartupRecoveryTest, AJournalLeftBesideTheFileIsSetAsideOrRolledBackAtTheUsersWordOrTheProgramEnds) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> make; // the file holds the sample, and what lies beside it
        JournalFinding finding;
        QStringList buttons;
        int choice;
        bool setAside; // the journal ends up in the backup folder
    } cases[] = {
        {"a journal of another file, opened as it is",
         leaveJournalOfAnotherFile,
         JournalFinding::NotOurs,
         {kOpenAsItIs, kEnd},
         0,
         true},
        {"a folder under the journal's name, ended",
         [](const fs::path& db) {
             import(db, kSample);
             fs::create_directory(journalPath(db));
         },
         JournalFinding::NotAFile,
         {kOpenAsItIs, kEnd},
         1,
         false},
        {"a journal of unknown origin, rolled back",
         [](const fs::path& db) {
             import(db, kSample);
             leaveUnverifiableJournal(db);
         },
         JournalFinding::Unverifiable,
         {"中断した書き込みを元に戻して開く", kOpenAsItIs, kEnd},
         0,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::ScriptedDialogs dialogs;
        const fs::path database = dir / "Kazutama.mdb";
        c.make(database);
        ASSERT_EQ(inspectJournal(database), c.finding);
        const std::string before = readFile(database);

        const bool ends = c.choice == c.buttons.size() - 1;
        dialogs.choices = {c.choice};
        MainFrm window(AppFiles{dir.path(), dir / "Kazutama.ini"});
        EXPECT_EQ(window.load(), !ends);
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questions[0].buttons, c.buttons);
        EXPECT_TRUE(
            dialogs.questions[0].text.startsWith(QString::fromStdString(journalMessage(database, c.finding))))
            << dialogs.questions[0].text.toStdString();
        if (ends) {
            EXPECT_EQ(readFile(database), before);
            EXPECT_EQ(inspectJournal(database), c.finding);
            continue;
        }
        EXPECT_EQ(window.history().records(), kSample);
        EXPECT_EQ(inspectJournal(database), JournalFinding::None);
        bool inBackupFolder = false;
        std::error_code noFolder;
        for (const auto& entry : fs::directory_iterator(dir / "Kazutama-backups", noFolder))
            inBackupFolder = inBackupFolder || entry.path().filename().string().ends_with("-journal");
        EXPECT_EQ(inBackupFolder, c.setAside);
    }
}

} // namespace
} // namespace kazutama
