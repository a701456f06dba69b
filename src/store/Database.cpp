#include "store/Database.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/DatabaseError.h"
#include "store/KeyDerivation.h"

#include <cerrno>
#include <sqlite3.h>
#include <sys/stat.h>

namespace kazutama {

namespace {

std::string quoted(const std::filesystem::path& path) {
    return quotePath(path);
}

} // namespace

Result<Database> Database::open(const std::filesystem::path& path, const std::string& key, Access access) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return databaseOpenError(path, errno);
    // Nor would the engine open a FIFO or a device without waiting for it.
    if (!S_ISREG(info.st_mode))
        return databaseOpenError(path, describeNotRegularFile(info.st_mode));
    // A file with its salt opens with the page key worked out here. A new file has no salt yet, and a file
    // the worked-out key does not open (made with other settings, or not ours) is tried with the password
    // itself, which also gives the message for a file nothing opens.
    if (const std::optional<FileSalt> salt = readFileSalt(path)) {
        auto opened = connect(path, rawKeyText(derivePageKey(key, *salt)), access);
        if (opened || opened.error().code != ErrorCode::Unreadable)
            return opened;
    }
    return connect(path, key, access);
}

Result<Database> Database::connect(const std::filesystem::path& path, const std::string& key, Access access) {
    sqlite3* raw = nullptr;
    const int rc =
        // One thread uses a connection: the engine's own locking on every column read would cost a fifth of
        // loading the history.
        sqlite3_open_v2(path.c_str(), &raw,
                        (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                            SQLITE_OPEN_NOMUTEX,
                        nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        const int error = raw ? sqlite3_system_errno(raw) : 0;
        return databaseOpenError(path, error ? error : EIO);
    }
    sqlite3_extended_result_codes(raw, 1);
    if (sqlite3_key(raw, key.data(), static_cast<int>(key.size())) != SQLITE_OK)
        return databaseError(raw, sqlite3_errcode(raw), DatabaseAccess::Read);
    sqlite3_busy_timeout(raw, 3000);

    // The key is only checked when the first page is read; a file of another program, a damaged file
    // and a wrong password all fail here, before anything could be written.
    auto probe = db.prepare("SELECT count(*) FROM sqlite_master");
    if (probe && probe->step())
        return db;
    const int failed = sqlite3_errcode(raw);
    if (failed == SQLITE_NOTADB || failed == SQLITE_CORRUPT)
        return makeError(ErrorCode::Unreadable,
                         "データベースファイル" + quoted(path) +
                             "を読み込めません。ファイルが壊れているか、パスワードが違うか、"
                             "Kazutamaのデータベースではありません。");
    return databaseError(raw, failed, DatabaseAccess::Read);
}

Database::Database(Database&& other) noexcept : m_db(other.m_db) {
    other.m_db = nullptr;
}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = other.m_db;
        other.m_db = nullptr;
    }
    return *this;
}

Database::~Database() {
    sqlite3_close(m_db);
}

Status Database::exec(std::string_view sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return Ok{};
    sqlite3_free(message);
    return databaseError(m_db, rc, DatabaseAccess::Write);
}

Result<Statement> Database::prepare(std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return databaseError(m_db, rc, DatabaseAccess::Read);
    }
    return Statement(m_db, stmt);
}

bool Database::isReadOnly() const {
    return sqlite3_db_readonly(m_db, "main") == 1;
}

std::string Database::lastErrorText() const {
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

} // namespace kazutama
