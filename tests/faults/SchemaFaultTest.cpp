// Database files of ours whose tables, saved query or triggers someone changed: the program's reads and
// writes run them, so a file is used only when they are exactly ours, and no file can keep a statement
// running for ever.

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/ConnectionString.h"
#include "store/Database.h"
#include "store/DrawSql.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "support/FaultyFileSystem.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);

// Runs `sql` on the database with the library alone, as another tool would.
void alter(const fs::path& database, const std::string& sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &raw), SQLITE_OK);
    const std::string key = ConnectionString::forDatabase(database).password();
    sqlite3_key(raw, key.data(), int(key.size()));
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
        << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(raw);
}

// Runs `check` in a child that is stopped after `seconds`; true when it finished and passed.
bool finishesWithin(int seconds, const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(unsigned(seconds));
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SchemaFaultTest, AFileWhoseSchemaIsNotExactlyOursIsRefusedBeforeAnythingOfItRuns) {
    const struct {
        const char* name;
        std::string sql;
    } cases[] = {
        {"an update trigger that deletes every draw",
         "DROP TRIGGER \"全データ選択クエリ_更新\"; CREATE TRIGGER \"全データ選択クエリ_更新\" INSTEAD OF "
         "UPDATE ON "
         "\"全データ選択クエリ\" BEGIN DELETE FROM \"当選データ\"; END;"},
        {"a saved query that never ends", "DROP VIEW \"全データ選択クエリ\"; CREATE VIEW "
                                          "\"全データ選択クエリ\" AS WITH RECURSIVE r(n) AS (SELECT 1 "
                                          "UNION ALL SELECT n + 1 FROM r) SELECT n AS \"回数\", 1 AS "
                                          "\"第1数字\", 2 AS \"第2数字\", 3 AS \"第3数字\", 4 AS "
                                          "\"第4数字\", 5 AS \"第5数字\", 6 AS \"第6数字\", 7 AS "
                                          "\"第7数字\", 8 AS \"ボーナス数字1\", 9 AS \"ボーナス数字2\" "
                                          "FROM r;"},
        {"a trigger on the draw table",
         "CREATE TRIGGER t AFTER UPDATE ON \"当選データ\" BEGIN DELETE FROM \"当選データ\"; END;"},
        {"a table of someone else's", "CREATE TABLE x (a);"},
        {"an index", "CREATE INDEX i ON \"当選データ\" (\"第1数字\");"},
        {"number checks loosened", "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, "
                                   "'BETWEEN 1 AND 37', 'BETWEEN 1 AND "
                                   "99') WHERE name = '当選データ';"},
        {"a journal that is not the library's plain one", "PRAGMA journal_mode = WAL;"},
        // A file of the version with tickets is held to that version's tables just as closely.
        {"a trigger on the tickets that empties the history",
         sql::createExtraTables() +
             "CREATE TRIGGER t AFTER INSERT ON \"購入数字\" BEGIN DELETE FROM \"当選データ\"; END;"},
        {"ticket checks loosened",
         sql::createExtraTables() +
             "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, "
             "'BETWEEN 1 AND 37', 'BETWEEN 1 AND 99') WHERE name = '購入数字';"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path db = dir / "Kazutama.mdb";
        {
            auto store = DrawStore::create(ConnectionString::forDatabase(db));
            ASSERT_TRUE(store && store->importDraws(kSample));
        }
        alter(db, c.sql);
        const std::string before = test::readFile(db);

        EXPECT_TRUE(finishesWithin(20, [&] {
            auto store = DrawStore::open(ConnectionString::forDatabase(db));
            return !store && store.error().code == ErrorCode::NotOurDatabase &&
                   store.error().message.find("Kazutama.mdb") != std::string::npos;
        }));
        for (const test::CliRun& run : test::runReadOnlyCommands(db, dir.path()))
            EXPECT_NE(run.status, 0) << run.out.substr(0, 200);
        EXPECT_EQ(test::readFile(db), before);
    }
}

// The disk failing at any read while a file of ours is opened, its schema check included: the cause is
// said, and the file is not called someone else's.
TEST(SchemaFaultTest, AReadFailingWhileAFileIsOpenedSaysItsCause) {
    TempDir dir;
    const fs::path db = dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(db)));
    const std::string cause = "（" + describeSystemError(EIO) + "）。";
    for (int allowed = 0;; ++allowed) {
        ASSERT_LT(allowed, 50) << "an opening that never ends";
        const test::FailingReads failing(allowed);
        auto store = DrawStore::open(ConnectionString::forDatabase(db));
        if (store)
            break;
        const std::string& message = store.error().message;
        EXPECT_TRUE(message.starts_with("データベースファイル" + quotePath(fs::canonical(db))) &&
                    message.ends_with(cause))
            << message << " after " << allowed << " reads";
    }
}

TEST(SchemaFaultTest, FarMoreDrawsThanAHistoryCanHaveAreRefusedUnread) {
    TempDir dir;
    const fs::path db = dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(db)));
    // Rows the table's own checks would refuse, written past them.
    alter(db, "PRAGMA ignore_check_constraints = ON; WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
              "FROM r "
              "LIMIT 100000) INSERT INTO \"当選データ\" SELECT n, 1, 2, 3, 4, 5, 6, 7, 8, 9 FROM r;");
    auto store = DrawStore::open(ConnectionString::forDatabase(db));
    ASSERT_TRUE(store) << store.error().message;
    auto history = store->loadHistory();
    ASSERT_FALSE(history);
    EXPECT_NE(history.error().message.find("多すぎます"), std::string::npos) << history.error().message;
}

TEST(SchemaFaultTest, AStatementThatWouldRunForEverIsStopped) {
    TempDir dir;
    const fs::path db = dir / "Kazutama.mdb";
    ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(db)));
    auto connection = Database::open(db, ConnectionString::forDatabase(db).password());
    ASSERT_TRUE(connection);
    const auto start = std::chrono::steady_clock::now();
    auto endless = connection->exec(
        "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) SELECT max(n) FROM r");
    ASSERT_FALSE(endless);
    EXPECT_NE(endless.error().message.find("中止しました"), std::string::npos) << endless.error().message;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

} // namespace
} // namespace kazutama
