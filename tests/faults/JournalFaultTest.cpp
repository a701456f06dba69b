// Writes interrupted at the moment the database file is being changed, and the journals they leave: a
// journal is rolled back only into the file it was written for. One copied over the file since (a restored
// backup) or of unknown origin is reported and the file is left as it is, and a command that only reads
// never changes a byte of the file in any case.

#include "common/SystemError.h"
#include "store/ConnectionString.h"
#include "store/Database.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/RollbackJournal.h"
#include "support/ChildProcess.h"
#include "support/InterruptedWrite.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::vector<DrawRecord> randomDraws(int count, unsigned seed) {
    return test::makeRandomHistory(count, seed).records();
}

std::vector<DrawRecord> storedDraws(const fs::path& database) {
    auto store = DrawStore::open(ConnectionString::forDatabase(database), Access::ReadOnly);
    EXPECT_TRUE(store) << store.error().message;
    if (!store)
        return {};
    auto history = store->loadHistory();
    EXPECT_TRUE(history) << history.error().message;
    return history ? history->records() : std::vector<DrawRecord>{};
}

void import(const fs::path& database, const std::vector<DrawRecord>& draws) {
    auto opened = DrawStore::openOrCreate(ConnectionString::forDatabase(database));
    ASSERT_TRUE(opened) << opened.error().message;
    ASSERT_TRUE(opened->store.importDraws(draws));
}

// `draws` imported into `database` by a program that dies with `pagesWritten` pages of the file changed.
void importInterrupted(const fs::path& database, const std::vector<DrawRecord>& draws, int pagesWritten) {
    const bool killed = test::killedWhileCommitting(
        [&] {
            auto store = DrawStore::open(ConnectionString::forDatabase(database));
            if (store)
                (void)store->importDraws(draws);
        },
        pagesWritten);
    ASSERT_TRUE(killed);
    ASSERT_EQ(inspectJournal(database), JournalFinding::Ours);
}

// An update by the database library alone, without the record this program writes before a commit, that
// dies half-way through changing the file.
void updateInterruptedOutsideTheProgram(const fs::path& database) {
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

// What the file is made into by the user after the interrupted write, and what should happen then.
struct Situation {
    const char* name;
    // Makes `database` (and what lies beside it) in `dir`; returns the history a reader must see, empty when
    // the file must be refused.
    std::function<std::vector<DrawRecord>(const TempDir& dir, const fs::path& database)> make;
    JournalFinding finding;
};

const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);

std::vector<Situation> situations() {
    return {
        {"a write interrupted before it changed the file",
         [](const TempDir&, const fs::path& db) {
             import(db, kSample);
             importInterrupted(db, randomDraws(700, 1), 0);
             return kSample;
         },
         JournalFinding::Ours},
        {"a write interrupted half-way through changing the file",
         [](const TempDir&, const fs::path& db) {
             import(db, kSample);
             importInterrupted(db, randomDraws(2000, 2), 3);
             return kSample;
         },
         JournalFinding::Ours},
        {"an older copy of the file copied over it after the interruption",
         [](const TempDir& dir, const fs::path& db) {
             import(db, kSample);
             fs::copy_file(db, dir / "copy.mdb");
             import(db, randomDraws(5000, 3));
             importInterrupted(db, randomDraws(5000, 4), 3);
             writeFile(db, readFile(dir / "copy.mdb"));
             return std::vector<DrawRecord>{};
         },
         JournalFinding::NotOurs},
        {"a copy of the same size, older by one edit far from the interrupted one",
         [](const TempDir& dir, const fs::path& db) {
             import(db, kSample);
             fs::copy_file(db, dir / "copy.mdb");
             auto edited = kSample;
             edited.front().numbers[0] = edited.front().numbers[0] % 37 + 1;
             import(db, {edited.front()});
             auto last = kSample.back();
             last.numbers[0] = last.numbers[0] % 37 + 1;
             importInterrupted(db, {last}, 1);
             writeFile(db, readFile(dir / "copy.mdb"));
             return std::vector<DrawRecord>{};
         },
         JournalFinding::NotOurs},
        {"another database copied over it",
         [](const TempDir& dir, const fs::path& db) {
             import(db, randomDraws(300, 5));
             importInterrupted(db, randomDraws(300, 6), 2);
             import(dir / "other.mdb", kSample);
             writeFile(db, readFile(dir / "other.mdb"));
             return std::vector<DrawRecord>{};
         },
         JournalFinding::NotOurs},
        {"a journal some other program left",
         [](const TempDir&, const fs::path& db) {
             import(db, kSample);
             updateInterruptedOutsideTheProgram(db);
             return std::vector<DrawRecord>{};
         },
         JournalFinding::Unverifiable},
        {"a folder under the journal's name",
         [](const TempDir&, const fs::path& db) {
             import(db, kSample);
             fs::create_directory(journalPath(db));
             return std::vector<DrawRecord>{};
         },
         JournalFinding::NotAFile},
        {"a FIFO under the journal's name",
         [](const TempDir&, const fs::path& db) {
             import(db, kSample);
             ::mkfifo(journalPath(db).c_str(), 0600);
             return std::vector<DrawRecord>{};
         },
         JournalFinding::NotAFile},
    };
}

TEST(JournalFaultTest, AJournalIsRolledBackOnlyIntoTheFileItWasWrittenFor) {
    for (const Situation& situation : situations()) {
        SCOPED_TRACE(situation.name);
        TempDir dir;
        const fs::path db = dir / "Kazutama.mdb";
        const std::vector<DrawRecord> expected = situation.make(dir, db);
        EXPECT_EQ(inspectJournal(db), situation.finding);

        // The commands that only read never write the file; they show the history as the roll-back gives
        // it, or refuse the file naming its journal.
        const auto runs = test::runReadOnlyCommands(db, dir.path());
        for (const test::CliRun& run : runs) {
            if (expected.empty()) {
                EXPECT_NE(run.status, 0);
                EXPECT_NE(run.err.find("Kazutama.mdb-journal"), std::string::npos) << run.err;
            } else {
                EXPECT_EQ(run.status, 0) << run.err;
            }
        }
        if (!expected.empty()) {
            EXPECT_EQ(runs.front().out, formatHistoryCsv(test::historyOf(expected)));
        }

        // A program that may write rolls back a journal of its own, and refuses any other.
        const std::string before = readFile(db);
        auto store = DrawStore::open(ConnectionString::forDatabase(db));
        if (expected.empty()) {
            ASSERT_FALSE(store);
            EXPECT_EQ(store.error().code, ErrorCode::JournalLeft);
            EXPECT_EQ(readFile(db), before);
        } else {
            ASSERT_TRUE(store) << store.error().message;
            EXPECT_EQ(store->loadHistory()->records(), expected);
            EXPECT_EQ(inspectJournal(db), JournalFinding::None);
        }
    }
}

TEST(JournalFaultTest, AJournalSetAsideLeavesTheFileAsItIsAndOneOfUnknownOriginCanStillBeRolledBack) {
    TempDir dir;
    const fs::path db = dir / "Kazutama.mdb";
    import(db, kSample);
    fs::copy_file(db, dir / "copy.mdb");
    import(db, randomDraws(5000, 7));
    importInterrupted(db, randomDraws(5000, 8), 2);
    writeFile(db, readFile(dir / "copy.mdb"));
    ASSERT_EQ(inspectJournal(db), JournalFinding::NotOurs);
    ASSERT_TRUE(setJournalAside(db, dir / "aside", "Kazutama-1"));
    EXPECT_TRUE(fs::is_regular_file(dir / "aside" / "Kazutama-1-journal"));
    EXPECT_EQ(storedDraws(db), kSample);

    // The user's word that a journal of unknown origin belongs to the file: rolled back as the library would.
    const fs::path other = dir / "other.mdb";
    import(other, kSample);
    updateInterruptedOutsideTheProgram(other);
    ASSERT_EQ(inspectJournal(other), JournalFinding::Unverifiable);
    ASSERT_TRUE(Database::rollBackJournal(other, ConnectionString::forDatabase(other).password()));
    EXPECT_EQ(inspectJournal(other), JournalFinding::None);
    EXPECT_EQ(storedDraws(other), kSample);
}

// A reader rolls a journal back into a private copy; when the copy cannot be made, the message says why.
TEST(JournalFaultTest, AReaderThatCannotCopyTheFileSaysWhy) {
    TempDir dir;
    const fs::path db = dir / "Kazutama.mdb";
    import(db, randomDraws(500, 7));
    importInterrupted(db, randomDraws(1000, 8), 2);
    const std::string message = test::runInChild([&] {
        // Files this process writes stop at one page.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit onePage{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &onePage);
        auto opened = Database::open(db, ConnectionString::forDatabase(db).password(), Access::ReadOnly);
        return opened ? std::string("opened") : opened.error().message;
    });
    // The standard library reports a copy cut short as an I/O error.
    const auto says = [&](int error) {
        return message.ends_with("（" + describeSystemError(error) + "）。");
    };
    EXPECT_TRUE(says(EFBIG) || says(EIO)) << message;
}

} // namespace
} // namespace kazutama
