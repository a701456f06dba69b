// Damaged, foreign and unusable database files, and writes that fail half-way: each is reported in
// Japanese with the file's name and cause, and no stored draw is ever lost.

#include "common/QuotedInput.h"
#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

const std::array<int, kBallCount> kNumbers{1, 2, 3, 4, 5, 6, 7, 8, 9};

class DatabaseFaultTest : public ::testing::Test {
protected:
    // A database with draws 1..count, and its bytes.
    std::string makeDatabase(const fs::path& path, int count) {
        auto store = DrawStore::create(ConnectionString::forDatabase(path));
        EXPECT_TRUE(store) << store.error().message;
        std::vector<DrawRecord> draws;
        for (int d = 1; d <= count; ++d)
            draws.push_back(DrawRecord{d, kNumbers});
        EXPECT_TRUE(store->importDraws(draws));
        return readFile(path);
    }

    TempDir m_dir;
};

struct BadFile {
    const char* name;
    std::function<void(const fs::path& path, const std::string& good)> make;
    const char* cause;                  // a part of the message
    std::string where = "Kazutama.mdb"; // in a new folder
    bool onlyWithoutRoot = false;       // root reads any file
};

TEST_F(DatabaseFaultTest, UnusableFilesAreRefusedWithTheirNameAndCauseAndNeverWritten) {
    const std::string good = makeDatabase(m_dir / "good.mdb", 3000);
    const std::vector<BadFile> cases = {
        {"missing", [](const fs::path&, const std::string&) {}, "がありません"},
        {"zero bytes", [](const fs::path& p, const std::string&) { writeFile(p, ""); }, "空のファイルです"},
        {"random bytes",
         [](const fs::path& p, const std::string&) {
             std::string bytes(8192, '\0');
             unsigned x = 12345;
             for (char& c : bytes)
                 c = char((x = x * 1103515245 + 12345) >> 16);
             writeFile(p, bytes);
         },
         "ファイルが壊れているか、パスワードが違うか"},
        {"truncated in the first page",
         [](const fs::path& p, const std::string& g) { writeFile(p, g.substr(0, 100)); }, "読み込めません"},
        {"truncated after the first page",
         [](const fs::path& p, const std::string& g) { writeFile(p, g.substr(0, g.size() / 2)); },
         "読み込めません"},
        {"damaged in its last page",
         [](const fs::path& p, const std::string& g) {
             std::string bytes = g;
             bytes[bytes.size() - 100] ^= 0x5A;
             writeFile(p, bytes);
         },
         "を読み込めません（ファイルが壊れています）"},
        {"plain SQLite",
         [](const fs::path& p, const std::string&) {
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "読み込めません"},
        {"our password, another schema",
         [](const fs::path& p, const std::string&) {
             writeFile(p, "");
             auto db = Database::open(p, ConnectionString::forDatabase(p).password());
             ASSERT_TRUE(db && db->exec("CREATE TABLE something (x INTEGER)"));
         },
         "はKazutamaの当選データベースではありません"},
        {"another password",
         [](const fs::path& p, const std::string&) {
             writeFile(p, "");
             auto db = Database::open(p, "999999");
             ASSERT_TRUE(db && db->exec("CREATE TABLE t (x INTEGER)"));
         },
         "パスワードが違うか"},
        {"a folder", [](const fs::path& p, const std::string&) { fs::create_directory(p); }, "フォルダです"},
        {"below a file", [](const fs::path& p, const std::string&) { writeFile(p.parent_path(), "x"); },
         "フォルダではありません", "file/Kazutama.mdb"},
        {"a name too long", [](const fs::path&, const std::string&) {}, "ファイル名が長すぎます",
         std::string(300, 'x') + ".mdb"},
        {"unreadable",
         [](const fs::path& p, const std::string& g) {
             writeFile(p, g);
             fs::permissions(p, fs::perms::none);
         },
         "アクセスする権限がありません", "Kazutama.mdb", true},
    };
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.name);
        if (bad.onlyWithoutRoot && ::geteuid() == 0)
            continue;
        TempDir dir;
        const fs::path path = dir / bad.where;
        bad.make(path, good);
        std::error_code error;
        const bool readable = fs::is_regular_file(path, error) && ::access(path.c_str(), R_OK) == 0;
        const std::string before = readable ? readFile(path) : std::string();
        // Damage beyond the first page shows only when the draws are read.
        auto store = DrawStore::open(ConnectionString::forDatabase(path));
        auto history = store ? store->loadHistory() : Result<DrawHistory>(store.error());
        ASSERT_FALSE(history);
        const std::string message = history.error().message;
        EXPECT_NE(message.find(quotePath(path)), std::string::npos) << message;
        EXPECT_NE(message.find(bad.cause), std::string::npos) << message;
        if (readable) {
            EXPECT_EQ(readFile(path), before);
        }
        for (const test::CliRun& run : test::runReadOnlyCommands(path, dir.path()))
            EXPECT_NE(run.status, 0);
    }
}

TEST_F(DatabaseFaultTest, AnEmptyFileLeftByAnInterruptedCreationIsReplacedByANewDatabase) {
    const fs::path path = m_dir / "Kazutama.mdb";
    writeFile(path, "");
    // A journal of the empty file must not be rolled into the new database.
    writeFile(path.string() + "-journal", std::string(4096, 'j'));
    auto opened = DrawStore::openOrCreate(ConnectionString::forDatabase(path));
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_TRUE(opened->created);
    EXPECT_TRUE(opened->store.importDraws({DrawRecord{1, kNumbers}}));
    EXPECT_EQ(opened->store.loadHistory()->size(), 1u);
    EXPECT_FALSE(fs::exists(path.string() + "-journal"));
}

TEST_F(DatabaseFaultTest, NewDatabaseFilesAreTheUsersAloneAndLeaveNoTemporaryFiles) {
    const fs::path path = m_dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(path)));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);
    auto again = DrawStore::create(ConnectionString::forDatabase(path));
    ASSERT_FALSE(again);
    EXPECT_EQ(again.error().code, ErrorCode::FileExists);
}

// A write that the disk or the file refuses half-way through a large import: said once, in plain words,
// and the history stays as it was.
TEST_F(DatabaseFaultTest, AWriteRefusedHalfWayIsReportedAndTheImportLeavesTheHistoryAsItWas) {
    const struct {
        const char* name;
        std::function<std::string(const fs::path&)> limit; // SQL that makes the store refuse, given the file
        const char* cause;
    } cases[] = {
        {"disk full",
         [](const fs::path& p) {
             return "PRAGMA max_page_count = " + std::to_string(fs::file_size(p) / 1024 + 1);
         },
         "ディスクの空き容量が足りません"},
        {"read-only", [](const fs::path&) { return std::string("PRAGMA query_only = ON"); },
         "読み取り専用のファイルです"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path path = dir / "Kazutama.mdb";
        makeDatabase(path, 5);
        auto store = DrawStore::open(ConnectionString::forDatabase(path));
        ASSERT_TRUE(store);
        ASSERT_TRUE(store->database().exec(c.limit(path)));
        std::vector<DrawRecord> many;
        for (int d = 1; d <= 3000; ++d)
            many.push_back(DrawRecord{d, {d % 37 + 1, 2, 3, 4, 5, 6, 7, 8, 9}});
        auto imported = store->importDraws(many);
        ASSERT_FALSE(imported);
        EXPECT_EQ(imported.error().message, "データベースファイル「" + fs::canonical(path).string() +
                                                "」に書き込めません（" + c.cause + "）。");
        auto history = DrawStore::open(ConnectionString::forDatabase(path))->loadHistory();
        ASSERT_EQ(history->size(), 5u);
        EXPECT_EQ(history->records()[0].numbers, kNumbers);
    }
}

TEST_F(DatabaseFaultTest, AnEditWritesOnlyItsNumberAndOnlyOverTheValueItWasMadeOn) {
    const fs::path path = m_dir / "Kazutama.mdb";
    makeDatabase(path, 2);
    auto mine = DrawStore::open(ConnectionString::forDatabase(path));
    auto theirs = DrawStore::open(ConnectionString::forDatabase(path));
    ASSERT_TRUE(mine && theirs);
    // Another program changes draw 2's first number; my grid still shows the old value 1.
    ASSERT_EQ(*theirs->writeNumber(2, 0, 1, 20), DrawStore::WriteOutcome::Written);
    EXPECT_EQ(*mine->writeNumber(2, 0, 1, 30), DrawStore::WriteOutcome::ChangedElsewhere);
    // A different number of the same draw is still mine to change, and keeps their change.
    EXPECT_EQ(*mine->writeNumber(2, 1, 2, 31), DrawStore::WriteOutcome::Written);
    EXPECT_EQ(mine->findDraw(2)->value().numbers, (std::array<int, kBallCount>{20, 31, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(*mine->writeNumber(7, 0, 1, 2), DrawStore::WriteOutcome::ChangedElsewhere);
    EXPECT_FALSE(mine->writeNumber(2, 0, 20, 38));
    // Two new rows from two programs get two numbers; neither overwrites the other.
    EXPECT_EQ(*mine->appendEmptyDraw(), 3);
    EXPECT_EQ(*theirs->appendEmptyDraw(), 4);
}

TEST_F(DatabaseFaultTest, AFileReplacedUnderAnOpenConnectionIsSaidToHaveBeenReplaced) {
    const fs::path path = m_dir / "Kazutama.mdb", other = m_dir / "other.mdb";
    makeDatabase(path, 3);
    makeDatabase(other, 5);
    auto store = DrawStore::open(ConnectionString::forDatabase(path));
    ASSERT_TRUE(store);
    fs::rename(other, path);
    auto written = store->writeNumber(1, 0, kNumbers[0], 30);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().message.find("ほかのプログラムがファイルを移動するか置き換えました"),
              std::string::npos)
        << written.error().message;
    EXPECT_EQ(DrawStore::open(ConnectionString::forDatabase(path))->loadHistory()->size(), 5u);
}

} // namespace
} // namespace kazutama
