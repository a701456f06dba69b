#include "store/Database.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/DatabaseError.h"
#include "store/KeyDerivation.h"
#include "store/RollbackJournal.h"

#include <cerrno>
#include <cstdlib>
#include <sqlite3.h>
#include <sys/stat.h>

namespace kazutama {

namespace {

bool isReadOnly(sqlite3* db) {
    return sqlite3_db_readonly(db, "main") == 1;
}

Error scratchCopyError(const std::filesystem::path& path, int systemError) {
    return makeError(ErrorCode::Unreadable, "データベースファイル" + quotePath(path) +
                                                "の中断された書き込みを確かめる一時ファイルを作れません（" +
                                                describeSystemError(systemError) + "）。");
}

} // namespace

Result<Database> Database::open(const std::filesystem::path& path, const std::string& key, Access access) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return databaseOpenError(path, errno);
    // Nor would the engine open a FIFO or a device without waiting for it.
    if (!S_ISREG(info.st_mode))
        return databaseOpenError(path, describeNotRegularFile(info.st_mode));
    switch (const JournalFinding journal = inspectJournal(path)) {
    case JournalFinding::None:
        break;
    case JournalFinding::Ours:
        if (access == Access::ReadOnly)
            return openRolledBackCopy(path, key);
        break;
    default:
        return makeError(ErrorCode::JournalLeft, journalMessage(path, journal));
    }
    return connectWithKey(path, key, access);
}

Status Database::rollBackJournal(const std::filesystem::path& path, const std::string& key) {
    auto db = connectWithKey(path, key, Access::ReadWrite);
    if (!db)
        return db.error();
    return Ok{};
}

Result<Database> Database::connectWithKey(const std::filesystem::path& path, const std::string& key,
                                          Access access) {
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

Result<Database> Database::openRolledBackCopy(const std::filesystem::path& path, const std::string& key) {
    // The journal is played back into a private copy, so that what the file holds is read without a byte of
    // it being written.
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/kazutama-XXXXXX";
    if (!::mkdtemp(folder.data()))
        return scratchCopyError(path, errno);
    const std::filesystem::path copy = std::filesystem::path(folder) / path.filename();
    std::error_code ec;
    std::filesystem::copy_file(path, copy, ec);
    if (!ec)
        std::filesystem::copy_file(journalPath(path), journalPath(copy), ec);
    if (ec) {
        const int failed = ec.value(); // before the clean-up reuses `ec`
        std::filesystem::remove_all(folder, ec);
        return scratchCopyError(path, failed);
    }
    auto db = connectWithKey(copy, key, Access::ReadWrite);
    if (!db) {
        std::filesystem::remove_all(folder, ec);
        return db.error();
    }
    db->m_scratch = folder;
    db->m_path = path;
    return db;
}

Result<Database> Database::inMemory() {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        return databaseError(raw, rc, DatabaseAccess::Write);
    return db;
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
    db.m_path = path;
    sqlite3_extended_result_codes(raw, 1);
    if (sqlite3_key(raw, key.data(), static_cast<int>(key.size())) != SQLITE_OK)
        return databaseError(raw, sqlite3_errcode(raw), DatabaseAccess::Read);
    sqlite3_busy_timeout(raw, 3000);
    // No statement of ours comes near this many steps of the library's engine (reading 32,760 draws takes
    // about a million); a file that makes one run on for ever is stopped instead of hanging the program.
    sqlite3_progress_handler(raw, 1000, &Database::stopRunaway, db.m_steps.get());
    // Changed pages reach the file only when a write commits, after its record (recordCommit) is written.
    if (auto status = db.exec("PRAGMA cache_spill = OFF"); !status)
        return status.error();

    // The key is only checked when the first page is read; a file of another program, a damaged file
    // and a wrong password all fail here, before anything could be written.
    auto probe = db.prepare("SELECT count(*) FROM sqlite_master");
    if (probe && probe->step())
        return db;
    const int failed = sqlite3_errcode(raw);
    if (failed == SQLITE_NOTADB || failed == SQLITE_CORRUPT)
        return makeError(ErrorCode::Unreadable,
                         "データベースファイル" + quotePath(path) +
                             "を読み込めません。ファイルが壊れているか、パスワードが違うか、"
                             "Kazutamaのデータベースではありません。");
    return databaseError(raw, sqlite3_extended_errcode(raw), DatabaseAccess::Read);
}

Database::Database(Database&& other) noexcept
    : m_db(other.m_db), m_steps(std::move(other.m_steps)), m_path(std::move(other.m_path)),
      m_commitCount(other.m_commitCount), m_scratch(std::move(other.m_scratch)) {
    other.m_db = nullptr;
    other.m_scratch.clear();
}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        m_db = other.m_db;
        m_steps = std::move(other.m_steps);
        m_path = std::move(other.m_path);
        m_scratch = std::move(other.m_scratch);
        m_commitCount = other.m_commitCount;
        other.m_db = nullptr;
        other.m_scratch.clear();
    }
    return *this;
}

Database::~Database() {
    close();
}

void Database::close() {
    sqlite3_close(m_db);
    m_db = nullptr;
    if (!m_scratch.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_scratch, ec);
        m_scratch.clear();
    }
}

void Database::recordCommit() {
    if (isReadOnly(m_db))
        return;
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK)
        kazutama::recordCommit(sqlite3_db_filename(m_db, "main"), file);
}

int Database::stopRunaway(void* steps) {
    return ++*static_cast<long*>(steps) > kStepLimit / 1000;
}

Status Database::copyInto(Database& destination) {
    sqlite3_backup* backup = sqlite3_backup_init(destination.m_db, "main", m_db, "main");
    if (!backup)
        return databaseError(destination.m_db, sqlite3_extended_errcode(destination.m_db),
                             DatabaseAccess::Write);
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        return databaseError(destination.m_db, stepped == SQLITE_OK ? finished : stepped,
                             DatabaseAccess::Write);
    if (finished != SQLITE_OK)
        return databaseError(destination.m_db, finished, DatabaseAccess::Write);
    return Ok{};
}

void Database::forgetCommit() {
    if (!isReadOnly(m_db))
        kazutama::forgetCommit(sqlite3_db_filename(m_db, "main"));
}

Status Database::exec(std::string_view sql) {
    *m_steps = 0;
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return Ok{};
    sqlite3_free(message);
    return databaseError(m_db, rc, DatabaseAccess::Write);
}

Result<Statement> Database::prepare(std::string_view sql) {
    *m_steps = 0;
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return databaseError(m_db, rc, DatabaseAccess::Read);
    }
    return Statement(m_db, stmt);
}

} // namespace kazutama
