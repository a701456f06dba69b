#include "store/DrawStore.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/Backups.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLock.h"
#include "store/Transaction.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

// Marks a file as a history database of this program (PRAGMA application_id, "KZTM").
constexpr int kApplicationId = 0x4B5A544D;
constexpr int kSchemaVersion = 1;
constexpr std::string_view kDrawTable = "当選データ";

std::string quote(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

std::string columnList(std::string_view prefix = "") {
    std::string list = std::string(prefix) + quote(kDrawNumberColumn);
    for (std::string_view column : kNumberColumns)
        list += ", " + std::string(prefix) + quote(column);
    return list;
}

std::string schemaSql() {
    const std::string table = quote(kDrawTable);
    const std::string view = quote(kAllDrawsQuery);
    const std::string key = quote(kDrawNumberColumn);

    std::string sql = "CREATE TABLE " + table + " (\n  " + key + " INTEGER PRIMARY KEY NOT NULL CHECK (" +
                      key + " BETWEEN " + std::to_string(kLowestDrawNumber) + " AND " +
                      std::to_string(kHighestDrawNumber) + ")";
    // A number is either not entered yet (NULL) or a whole number 1..37; nothing else can be stored.
    for (std::string_view name : kNumberColumns) {
        const std::string c = quote(name);
        sql += ",\n  " + c + " INTEGER CHECK (" + c + " IS NULL OR (typeof(" + c + ") = 'integer' AND " + c +
               " BETWEEN " + std::to_string(kLowestNumber) + " AND " + std::to_string(kHighestNumber) + "))";
    }
    sql += "\n);\n";
    sql += "CREATE VIEW " + view + " AS SELECT " + columnList() + " FROM " + table + ";\n";

    std::string assignments;
    for (std::string_view name : kNumberColumns)
        assignments += ", " + quote(name) + " = NEW." + quote(name);
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_追加") + " INSTEAD OF INSERT ON " + view +
           // Without this a missing draw number would silently become the next free one.
           " BEGIN SELECT RAISE(ABORT, 'draw number required') WHERE NEW." + key + " IS NULL;" +
           " INSERT INTO " + table + " (" + columnList() + ") VALUES (" + columnList("NEW.") + "); END;\n";
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_更新") + " INSTEAD OF UPDATE ON " + view +
           " BEGIN UPDATE " + table + " SET " + key + " = NEW." + key + assignments + " WHERE " + key +
           " = OLD." + key + "; END;\n";
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_削除") + " INSTEAD OF DELETE ON " + view +
           " BEGIN DELETE FROM " + table + " WHERE " + key + " = OLD." + key + "; END;\n";
    sql += "PRAGMA application_id = " + std::to_string(kApplicationId) + ";\n";
    sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";\n";
    return sql;
}

// One row of the file's schema: every table, view, trigger and index by its type, name and SQL.
struct SchemaEntry {
    std::string type, name, table, sql;
    bool operator==(const SchemaEntry&) const = default;
};

Result<std::vector<SchemaEntry>> schemaEntries(Database& db) {
    auto query = db.prepare("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name");
    if (!query)
        return query.error();
    std::vector<SchemaEntry> entries;
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            return entries;
        entries.push_back(
            {query->textValue(0), query->textValue(1), query->textValue(2), query->textValue(3)});
    }
}

Error notOurs(const ConnectionString& connection) {
    return makeError(ErrorCode::NotOurDatabase,
                     quotePath(connection.databasePath()) + "はKazutamaの当選データベースではありません。");
}

Error createError(const fs::path& path, const std::string& cause) {
    return makeError(ErrorCode::WriteFailed,
                     "データベースファイル" + quotePath(path) + "を作成できません（" + cause + "）。");
}

// A new database is made as ".Kazutama-new-XXXXXX" (and its journal) beside the file it becomes.
constexpr std::string_view kTemporaryPrefix = ".Kazutama-new-";
constexpr std::string_view kJournalSuffix = "-journal";
constexpr std::size_t kTemporaryNameLength = kTemporaryPrefix.size() + 6;

bool isTemporaryName(std::string_view name) {
    if (name.ends_with(kJournalSuffix))
        name.remove_suffix(kJournalSuffix.size());
    return name.size() == kTemporaryNameLength && name.starts_with(kTemporaryPrefix);
}

// Makes a temporary under the lock a creation holds on it while it runs; -1 and errno on failure.
int lockedTemporary(const fs::path& folder, std::string& name, std::optional<DatabaseLock>& lock) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        name = (folder / kTemporaryPrefix).string() + "XXXXXX";
        const int fd = ::mkstemp(name.data()); // mode 0600: the file is the user's alone
        if (fd < 0)
            return -1;
        lock.emplace(DatabaseLock::lockDescriptor(fd));
        // Another start's clean-up may have found the file before it was locked, and removes it.
        struct stat opened {};
        struct stat named {};
        if (lock->state() != DatabaseLock::State::HeldElsewhere && ::fstat(fd, &opened) == 0 &&
            ::lstat(name.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
            opened.st_dev == named.st_dev)
            return fd;
        lock.reset();
    }
    errno = EEXIST;
    return -1;
}

// Removes the temporaries of this user's creations that were killed half-way: those nobody holds locked.
void removeAbandonedTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        const fs::path path = entry->path();
        const std::string name = path.filename().string();
        struct stat info {};
        if (!isTemporaryName(name) || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        if (name.ends_with(kJournalSuffix)) {
            // A journal whose database is gone belongs to nothing.
            const std::string database =
                path.string().substr(0, path.string().size() - kJournalSuffix.size());
            if (::lstat(database.c_str(), &info) != 0 && errno == ENOENT)
                ::unlink(path.c_str());
            continue;
        }
        const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const DatabaseLock probe = DatabaseLock::lockDescriptor(fd);
        if (probe.state() == DatabaseLock::State::Exclusive) {
            ::unlink((path.string() + std::string(kJournalSuffix)).c_str());
            ::unlink(path.c_str());
        }
    }
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

Error alreadyThere(const fs::path& path) {
    return makeError(ErrorCode::FileExists, "データベースファイル" + quotePath(path) + "は既にあります。");
}

// Moves the finished file into place without ever replacing a file that appeared meanwhile (another
// program creating the same database), except an empty one when `replaceEmpty`. 0 or an errno value.
int placeNewFile(const std::string& temporary, const fs::path& path, bool replaceEmpty, bool replaceAny) {
    if (replaceAny)
        return ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (replaceEmpty) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_size != 0))
            return EEXIST;
        return ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno;
    }
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // Filesystems without an exclusive rename: a hard link fails the same way when the name is taken.
    if (::link(temporary.c_str(), path.c_str()) == 0)
        return ::unlink(temporary.c_str()) == 0 ? 0 : errno;
    return errno;
}

Error invalidDraw(const DrawRecord& draw) {
    return makeError(ErrorCode::InvalidData,
                     "第" + std::to_string(draw.drawNumber) + "回の当選データに誤りがあります。");
}

bool isStorable(const DrawRecord& draw) {
    if (!isValidDrawNumber(draw.drawNumber))
        return false;
    for (int n : draw.numbers)
        if (n != kNoNumber && !isValidNumber(n))
            return false;
    return true;
}

// Whether `incoming` would leave a number of the `stored` draw empty.
bool empties(const DrawRecord& stored, const DrawRecord& incoming) {
    for (int i = 0; i < kBallCount; ++i)
        if (stored.numbers[std::size_t(i)] != kNoNumber && incoming.numbers[std::size_t(i)] == kNoNumber)
            return true;
    return false;
}

} // namespace

std::string listDrawNumbers(const std::vector<int>& drawNumbers) {
    constexpr size_t kListed = 12;
    std::string list;
    for (size_t i = 0; i < std::min(drawNumbers.size(), kListed); ++i)
        list += (i ? "、" : "") + std::to_string(drawNumbers[i]);
    if (drawNumbers.size() > kListed)
        list += " ほか " + std::to_string(drawNumbers.size() - kListed) + " 回";
    return list;
}

Result<DrawStore> DrawStore::open(const ConnectionString& connection, Access access) {
    std::error_code ec;
    if (fs::is_regular_file(connection.databasePath(), ec) &&
        fs::file_size(connection.databasePath(), ec) == 0 && !ec)
        return makeError(ErrorCode::NotOurDatabase,
                         quotePath(connection.databasePath()) +
                             "は空のファイルです（Kazutamaの当選データベースではありません）。");
    auto db = Database::open(connection.databasePath(), connection.password(), access);
    if (!db)
        return db.error();
    DrawStore store(std::move(db).value());
    auto ours = store.hasOurSchema();
    if (!ours)
        return ours.error();
    if (!ours.value())
        return notOurs(connection);
    return store;
}

Result<DrawStore> DrawStore::create(const ConnectionString& connection) {
    removeAbandonedTemporaries(folderOf(connection.databasePath()));
    std::error_code ec;
    if (fs::exists(connection.databasePath(), ec) || fs::is_symlink(connection.databasePath(), ec))
        return alreadyThere(connection.databasePath());
    if (auto status = createFile(connection, Place::NewOnly); !status)
        return status.error();
    return open(connection);
}

Status DrawStore::createFile(const ConnectionString& connection, Place place,
                             const std::vector<DrawRecord>& draws) {
    // The new database is made complete under a temporary name and then renamed into place, so that a
    // crash or a kill at any moment leaves either no file or a whole one, never a half-made file that
    // nothing opens again.
    const fs::path& path = connection.databasePath();
    const fs::path folder = folderOf(path);
    std::string temporary;
    // Held until the file is in place, so that no start-up takes the temporary for a killed creation's.
    std::optional<DatabaseLock> lock;
    const int fd = lockedTemporary(folder, temporary, lock);
    if (fd < 0)
        return createError(path, describeSystemError(errno));
    const auto removeTemporary = [&] {
        ::unlink(temporary.c_str());
        ::unlink((temporary + std::string(kJournalSuffix)).c_str());
    };
    const auto discard = [&](const std::string& cause) -> Status {
        removeTemporary();
        return createError(path, cause);
    };
    {
        auto db = Database::open(temporary, connection.password());
        if (!db)
            return discard(causeIn(db.error().message));
        DrawStore store(std::move(db).value());
        if (auto status = store.createSchema(); !status)
            return discard(causeIn(status.error().message));
        if (!draws.empty())
            if (auto imported = store.importDraws(draws); !imported)
                return discard(causeIn(imported.error().message));
    }
    if (::fsync(fd) != 0)
        return discard(describeSystemError(errno));
    if (const int error =
            placeNewFile(temporary, path, place == Place::OverEmpty, place == Place::OverAnything)) {
        if (error != EEXIST)
            return discard(describeSystemError(error));
        removeTemporary();
        return alreadyThere(path);
    }
    // A journal left beside a file that was missing or empty belongs to no data; it must not be rolled
    // into the new database.
    ::unlink((path.string() + "-journal").c_str());
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return Ok{};
}

Result<bool> DrawStore::createIfMissing(const ConnectionString& connection) {
    const fs::path& path = connection.databasePath();
    removeAbandonedTemporaries(folderOf(path));
    std::error_code ec;
    const bool exists = fs::exists(path, ec) || ec;
    // An empty file is what an interrupted creation left behind; it holds nothing, so it is replaced.
    const bool empty = exists && fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0 && !ec;
    if (exists && !empty)
        return false;
    if (auto status = createFile(connection, empty ? Place::OverEmpty : Place::NewOnly); !status)
        return status.error();
    return true;
}

Status DrawStore::replaceFile(const ConnectionString& connection, const std::vector<DrawRecord>& draws) {
    return createFile(connection, Place::OverAnything, draws);
}

void DrawStore::beforeWrite() {
    if (m_backups)
        m_backups->beforeWrite(m_db);
}

Status DrawStore::replaceAll(const std::vector<DrawRecord>& draws) {
    for (const DrawRecord& draw : draws)
        if (!isStorable(draw))
            return invalidDraw(draw);
    beforeWrite();
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    if (auto cleared = m_db.exec("DELETE FROM " + quote(kAllDrawsQuery)); !cleared)
        return cleared;
    for (const DrawRecord& draw : draws)
        if (auto status = insertOrUpdate(draw, false); !status)
            return status;
    return tx->commit();
}

Result<DrawStore::Opened> DrawStore::openOrCreate(const ConnectionString& connection) {
    auto created = createIfMissing(connection);
    if (!created)
        return created.error();
    auto store = open(connection);
    if (!store)
        return store.error();
    return Opened{std::move(store).value(), *created};
}

Status DrawStore::createSchema() {
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    if (auto status = m_db.exec(schemaSql()); !status)
        return status;
    return tx->commit();
}

Result<bool> DrawStore::hasOurSchema() {
    auto id = m_db.prepare("PRAGMA application_id");
    if (!id)
        return id.error();
    auto marked = id->step();
    if (!marked)
        return marked.error();
    if (!marked.value() || id->intValue(0) != kApplicationId)
        return false;
    // Its views and triggers run whenever the history is read or written, so a file is used only when they
    // are exactly ours: one whose update trigger deletes every draw, or whose saved query never ends, would
    // otherwise do its work on the user's history.
    auto entries = schemaEntries(m_db);
    if (!entries)
        return entries.error();
    static const Result<std::vector<SchemaEntry>> ours = [] {
        auto memory = Database::inMemory();
        if (!memory)
            return Result<std::vector<SchemaEntry>>(memory.error());
        if (auto made = memory->exec(schemaSql()); !made)
            return Result<std::vector<SchemaEntry>>(made.error());
        return schemaEntries(*memory);
    }();
    if (!ours)
        return ours.error();
    if (entries.value() != ours.value())
        return false;
    auto mode = m_db.prepare("PRAGMA journal_mode");
    if (!mode)
        return mode.error();
    auto journal = mode->step();
    if (!journal)
        return journal.error();
    return journal.value() && mode->textValue(0) == "delete";
}

Result<DrawHistory> DrawStore::loadHistory() {
    auto query = m_db.prepare(kHistoryCommandText);
    if (!query)
        return query.error();
    // Fields are read by column name, whatever order the saved query gives them in.
    const int keyColumn = query->columnIndex(kDrawNumberColumn);
    std::array<int, kBallCount> numberColumns{};
    for (int i = 0; i < kBallCount; ++i)
        numberColumns[i] = query->columnIndex(kNumberColumns[i]);

    std::vector<StoredDraw> rows;
    // The history is read in one pass into a vector sized beforehand.
    if (auto count = m_db.prepare("SELECT count(*) FROM " + quote(kAllDrawsQuery))) {
        if (auto counted = count->step(); counted && counted.value())
            rows.reserve(
                std::size_t(std::clamp(count->wholeNumberOrZero(0), 0LL, (long long)kHighestDrawNumber)));
    }
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            break;
        // Each draw number is stored once and within 1..32760; a table with more rows is not one of ours.
        if (rows.size() == std::size_t(kHighestDrawNumber))
            return makeError(ErrorCode::NotOurDatabase, "データベースファイル" + quotePath(m_db.path()) +
                                                            "は当選データの行が多すぎます。ファイルが壊れてい"
                                                            "るか、Kazutamaのデータベースではありません。");
        StoredDraw& stored = rows.emplace_back();
        stored.drawNumber = query->wholeNumberOrZero(keyColumn);
        for (int i = 0; i < kBallCount; ++i)
            stored.numbers[std::size_t(i)] = query->wholeNumberOrZero(numberColumns[i]);
    }
    return historyFromStoredRows(rows);
}

Result<std::optional<DrawRecord>> DrawStore::findDraw(int drawNumber) {
    auto query = m_db.prepare("SELECT " + columnList() + " FROM " + quote(kAllDrawsQuery) + " WHERE " +
                              quote(kDrawNumberColumn) + " = ?1");
    if (!query)
        return query.error();
    if (auto s = query->bindInt(1, drawNumber); !s)
        return s.error();
    auto row = query->step();
    if (!row)
        return row.error();
    if (!row.value())
        return std::optional<DrawRecord>();
    DrawRecord record{query->intValue(0), {}};
    for (int i = 0; i < kBallCount; ++i)
        record.numbers[std::size_t(i)] = numberOrNone(query->wholeNumberOrZero(i + 1));
    return std::optional<DrawRecord>(record);
}

Status DrawStore::insertOrUpdate(const DrawRecord& draw, bool exists) {
    std::string sql;
    if (exists) {
        sql = "UPDATE " + quote(kAllDrawsQuery) + " SET ";
        for (int i = 0; i < kBallCount; ++i)
            sql += (i ? ", " : "") + quote(kNumberColumns[i]) + " = ?" + std::to_string(i + 2);
        sql += " WHERE " + quote(kDrawNumberColumn) + " = ?1";
    } else {
        sql = "INSERT INTO " + quote(kAllDrawsQuery) + " (" + columnList() + ") VALUES (?1";
        for (int i = 0; i < kBallCount; ++i)
            sql += ", ?" + std::to_string(i + 2);
        sql += ")";
    }
    auto statement = m_db.prepare(sql);
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, draw.drawNumber); !s)
        return s;
    for (int i = 0; i < kBallCount; ++i)
        if (auto s = statement->bindIntOrNull(i + 2, draw.numbers[i]); !s)
            return s;
    auto done = statement->step();
    if (!done)
        return done.error();
    return Ok{};
}

Result<ImportReport> DrawStore::previewImport(const std::vector<DrawRecord>& draws) {
    ImportReport report;
    for (const DrawRecord& draw : draws) {
        auto stored = findDraw(draw.drawNumber);
        if (!stored)
            return stored.error();
        if (!stored->has_value())
            ++report.added;
        else if (stored->value() == draw)
            ++report.unchanged;
        else {
            ++report.replaced;
            if (empties(stored->value(), draw))
                report.emptied.push_back(draw.drawNumber);
        }
    }
    return report;
}

Result<ImportReport> DrawStore::importDraws(const std::vector<DrawRecord>& draws, bool replaceChanged,
                                            const std::vector<int>& mayEmpty) {
    for (const DrawRecord& draw : draws)
        if (!isStorable(draw))
            return invalidDraw(draw);
    std::vector<int> confirmed = mayEmpty;
    std::sort(confirmed.begin(), confirmed.end());
    // A file that would change nothing writes nothing (and makes no backup).
    auto preview = previewImport(draws);
    if (!preview)
        return preview.error();
    if (preview->added == 0 && (preview->replaced == 0 || !replaceChanged))
        return ImportReport{0, 0, preview->unchanged, {}};
    beforeWrite();
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    ImportReport report;
    std::vector<int> refused;
    for (const DrawRecord& draw : draws) {
        auto stored = findDraw(draw.drawNumber);
        if (!stored)
            return stored.error();
        const bool exists = stored->has_value();
        if (exists && stored->value() == draw) {
            ++report.unchanged;
            continue;
        }
        if (exists && !replaceChanged)
            continue;
        // Checked here, inside the transaction: another program may have filled in a draw since the preview.
        if (exists && empties(stored->value(), draw)) {
            if (!std::binary_search(confirmed.begin(), confirmed.end(), draw.drawNumber)) {
                refused.push_back(draw.drawNumber);
                continue;
            }
            report.emptied.push_back(draw.drawNumber);
        }
        if (auto status = insertOrUpdate(draw, exists); !status)
            return status.error();
        ++(exists ? report.replaced : report.added);
    }
    if (!refused.empty())
        return makeError(ErrorCode::WouldLoseData,
                         "ファイルの空欄で、保存されている数字が消えてしまう回があります（" +
                             listDrawNumbers(refused) + "）。");
    if (auto status = tx->commit(); !status)
        return status.error();
    return report;
}

Result<DrawStore::WriteOutcome> DrawStore::writeNumber(int drawNumber, int index, int expected, int value) {
    if (index < 0 || index >= kBallCount || (value != kNoNumber && !isValidNumber(value)))
        return makeError(ErrorCode::InvalidData,
                         "第" + std::to_string(drawNumber) + "回の" +
                             std::string(kNumberColumns[std::size_t(std::clamp(index, 0, kBallCount - 1))]) +
                             "は1から37までの整数ではありません。");
    beforeWrite();
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    auto stored = findDraw(drawNumber);
    if (!stored)
        return stored.error();
    if (!stored->has_value() || stored->value().numbers[std::size_t(index)] != expected)
        return WriteOutcome::ChangedElsewhere;
    auto statement =
        m_db.prepare("UPDATE " + quote(kAllDrawsQuery) + " SET " + quote(kNumberColumns[std::size_t(index)]) +
                     " = ?2 WHERE " + quote(kDrawNumberColumn) + " = ?1");
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, drawNumber); !s)
        return s.error();
    if (auto s = statement->bindIntOrNull(2, value); !s)
        return s.error();
    if (auto done = statement->step(); !done)
        return done.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return WriteOutcome::Written;
}

Result<int> DrawStore::appendEmptyDraw() {
    beforeWrite();
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    auto highest = m_db.prepare("SELECT max(" + quote(kDrawNumberColumn) + ") FROM " + quote(kAllDrawsQuery));
    if (!highest)
        return highest.error();
    if (auto row = highest->step(); !row)
        return row.error();
    const int next = highest->isNull(0) ? kLowestDrawNumber : highest->intValue(0) + 1;
    if (!isValidDrawNumber(next))
        return makeError(ErrorCode::InvalidData, "これ以上の回を追加できません（回数は" +
                                                     std::to_string(kHighestDrawNumber) + "までです）。");
    if (auto status = insertOrUpdate(DrawRecord{next, {}}, false); !status)
        return status.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return next;
}

Result<DrawStore::WriteOutcome> DrawStore::deleteDraw(const DrawRecord& expected) {
    beforeWrite();
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    auto stored = findDraw(expected.drawNumber);
    if (!stored)
        return stored.error();
    if (!stored->has_value() || stored->value() != expected)
        return WriteOutcome::ChangedElsewhere;
    auto statement =
        m_db.prepare("DELETE FROM " + quote(kAllDrawsQuery) + " WHERE " + quote(kDrawNumberColumn) + " = ?1");
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, expected.drawNumber); !s)
        return s.error();
    if (auto done = statement->step(); !done)
        return done.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return WriteOutcome::Written;
}

} // namespace kazutama
