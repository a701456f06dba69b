// Backups and restores under the faults they exist for: a journal left beside the file, another program
// writing while the copy is taken, a damaged file, a disk that fills during the copy.

#include "store/Backups.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/RollbackJournal.h"
#include "support/ChildProcess.h"
#include "support/InterruptedWrite.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);

std::vector<DrawRecord> randomDraws(int count, unsigned seed) {
    return test::makeRandomHistory(count, seed).records();
}

void import(const ConnectionString& database, const std::vector<DrawRecord>& draws) {
    auto opened = DrawStore::openOrCreate(database);
    ASSERT_TRUE(opened) << opened.error().message;
    ASSERT_TRUE(opened->store.importDraws(draws));
}

std::vector<DrawRecord> stored(const fs::path& file) {
    auto store = DrawStore::open(ConnectionString::forDatabase(file), Access::ReadOnly);
    if (!store)
        return {};
    auto history = store->loadHistory();
    return history ? history->records() : std::vector<DrawRecord>{};
}

fs::path backupOf(const ConnectionString& database) {
    auto store = DrawStore::open(database);
    EXPECT_TRUE(store);
    auto taken = Backups(database).take(store->database());
    EXPECT_TRUE(taken) << taken.error().message;
    return *taken;
}

TEST(BackupFaultTest, ARestoreDealsWithAJournalLeftBesideTheFile) {
    const struct {
        const char* name;
        bool copiedOver; // a copy was put over the file after the interruption
    } cases[] = {{"the file's own journal", false}, {"a journal of what was there before a copy", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const ConnectionString database = ConnectionString::forDatabase(dir / "Kazutama.mdb");
        import(database, kSample);
        const fs::path backup = backupOf(database);
        writeFile(dir / "copy.mdb", readFile(database.databasePath()));
        import(database, randomDraws(3000, 1));
        ASSERT_TRUE(test::killedWhileCommitting(
            [&] {
                auto store = DrawStore::open(database);
                if (store)
                    (void)store->importDraws(randomDraws(3000, 2));
            },
            2));
        if (c.copiedOver)
            writeFile(database.databasePath(), readFile(dir / "copy.mdb"));
        ASSERT_EQ(inspectJournal(database.databasePath()),
                  c.copiedOver ? JournalFinding::NotOurs : JournalFinding::Ours);

        auto restored = Backups(database).restore(backup);
        ASSERT_TRUE(restored) << restored.error().message;
        EXPECT_EQ(stored(database.databasePath()), kSample);
        EXPECT_EQ(inspectJournal(database.databasePath()), JournalFinding::None);
        // The file as it was is kept: the interrupted write undone, or the copy untouched by the journal.
        EXPECT_EQ(stored(restored->previous), c.copiedOver ? kSample : randomDraws(3000, 1));
        if (c.copiedOver) {
            bool setAside = false;
            for (const auto& entry : fs::directory_iterator(Backups(database).folder()))
                setAside = setAside || entry.path().filename().string().ends_with("-journal");
            EXPECT_TRUE(setAside);
        }
    }
}

TEST(BackupFaultTest, ACopyTakenWhileAnotherProgramWritesHoldsOneWholeHistory) {
    TempDir dir;
    const ConnectionString database = ConnectionString::forDatabase(dir / "Kazutama.mdb");
    const std::vector<DrawRecord> first = randomDraws(3000, 3), second = randomDraws(3000, 4);
    import(database, first);
    const pid_t writer = ::fork();
    if (writer == 0) {
        auto store = DrawStore::open(database);
        for (int round = 0; store; ++round)
            (void)store->importDraws(round % 2 ? first : second);
        ::_exit(0);
    }
    std::vector<fs::path> copies;
    for (int i = 0; i < 6; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        copies.push_back(backupOf(database));
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    for (const fs::path& copy : copies) {
        const std::vector<DrawRecord> held = stored(copy);
        EXPECT_TRUE(held == first || held == second) << copy << ": " << held.size() << " draws";
    }
}

TEST(BackupFaultTest, AFileThatNoLongerOpensIsKeptAndReplacedByItsBackup) {
    TempDir dir;
    const ConnectionString database = ConnectionString::forDatabase(dir / "Kazutama.mdb");
    import(database, kSample);
    const fs::path backup = backupOf(database);
    // One flipped byte in the first page: nothing can read the file any more.
    std::string bytes = readFile(database.databasePath());
    bytes[100] = char(bytes[100] ^ 0x01);
    writeFile(database.databasePath(), bytes);
    ASSERT_FALSE(DrawStore::open(database));
    EXPECT_EQ(Backups(database).newestReadable()->file, backup);

    auto restored = Backups(database).restore(backup);
    ASSERT_TRUE(restored) << restored.error().message;
    EXPECT_EQ(stored(database.databasePath()), kSample);
    EXPECT_EQ(readFile(restored->previous), bytes);
}

// A first write refused because another program holds the file locked is no write: it says nothing of a
// backup, and the write that succeeds later still makes the run's backup.
TEST(BackupFaultTest, AWriteRefusedWhileAnotherProgramHoldsTheFileLeavesTheBackupToTheNextWrite) {
    TempDir dir;
    const ConnectionString database = ConnectionString::forDatabase(dir / "Kazutama.mdb");
    import(database, kSample);
    std::vector<std::string> notices;
    BackupOnFirstWrite keeper(Backups(database), [&](const std::string& n) { notices.push_back(n); });
    auto store = DrawStore::open(database);
    ASSERT_TRUE(store);
    store->backUpBeforeWriting(&keeper);
    const int first = kSample[0].numbers[0];
    {
        auto other = DrawStore::open(database);
        ASSERT_TRUE(other && other->database().exec("BEGIN EXCLUSIVE"));
        EXPECT_FALSE(store->writeNumber(1, 0, first, first % 37 + 1));
        ASSERT_TRUE(other->database().exec("ROLLBACK"));
    }
    EXPECT_TRUE(notices.empty()) << notices.front();
    ASSERT_TRUE(store->writeNumber(1, 0, first, first % 37 + 1));
    const std::vector<BackupInfo> made = keeper.backups().list();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(stored(made[0].file), kSample);
}

TEST(BackupFaultTest, ADiskThatFillsDuringTheCopyLeavesNoPartOfItAndTheWriteGoesOn) {
    TempDir dir;
    const ConnectionString database = ConnectionString::forDatabase(dir / "Kazutama.mdb");
    import(database, randomDraws(3000, 5));
    const std::string outcome = test::runInChild([&] {
        // Files may not grow beyond half the database: the copy fails where the edit of draw 1, near the
        // start of the file, does not.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = rlim_t(fs::file_size(database.databasePath()) / 2);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        std::string notices;
        BackupOnFirstWrite keeper(Backups(database), [&](const std::string& n) { notices += n; });
        auto store = DrawStore::open(database);
        if (!store)
            return store.error().message;
        store->backUpBeforeWriting(&keeper);
        const int before = store->findDraw(1)->value().numbers[0];
        auto written = store->writeNumber(1, 0, before, before % 37 + 1);
        return std::string(written ? "written " : "refused ") + notices;
    });
    EXPECT_TRUE(outcome.starts_with("written ")) << outcome;
    EXPECT_NE(outcome.find("バックアップを"), std::string::npos) << outcome;
    for (const auto& entry : fs::directory_iterator(Backups(database).folder()))
        ADD_FAILURE() << "left behind: " << entry.path();
}

} // namespace
} // namespace kazutama
