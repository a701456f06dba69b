#include "store/Database.h"

#include <sqlite3.h>

namespace kazutama {

namespace {

std::string quoted(const std::filesystem::path& path) { return "「" + path.string() + "」"; }

} // namespace

Result<Database> Database::open(const std::filesystem::path& path, const std::string& key, Mode mode) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (mode == Mode::OpenExisting && !exists)
        return makeError(ErrorCode::FileMissing, "データベースファイル" + quoted(path) + "がありません。");
    if (mode == Mode::CreateNew && exists)
        return makeError(ErrorCode::FileExists, "データベースファイル" + quoted(path) + "は既にあります。");

    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
    if (mode == Mode::CreateNew)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        const std::string detail = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        return makeError(ErrorCode::Unreadable,
                         "データベースファイル" + quoted(path) + "を開けません（" + detail + "）。");
    }
    sqlite3_extended_result_codes(raw, 1);
    if (sqlite3_key(raw, key.data(), static_cast<int>(key.size())) != SQLITE_OK)
        return makeError(ErrorCode::Unreadable, "データベースファイル" + quoted(path) + "を開けません。");
    sqlite3_busy_timeout(raw, 3000);

    // The key is only checked when the first page is read; a file of another program, a damaged file
    // and a wrong password all fail here, before anything could be written.
    if (auto probe = db.prepare("SELECT count(*) FROM sqlite_master"); !probe || !probe->step())
        return makeError(ErrorCode::Unreadable,
                         "データベースファイル" + quoted(path) +
                             "を読み込めません。ファイルが壊れているか、パスワードが違うか、"
                             "Kazutamaのデータベースではありません。");
    return db;
}

Database::Database(Database&& other) noexcept : m_db(other.m_db) { other.m_db = nullptr; }

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = other.m_db;
        other.m_db = nullptr;
    }
    return *this;
}

Database::~Database() { sqlite3_close(m_db); }

Status Database::exec(std::string_view sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return Ok{};
    std::string detail = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    const bool readOnly = (rc & 0xFF) == SQLITE_READONLY;
    return makeError(ErrorCode::WriteFailed,
                     std::string(readOnly ? "データベースが読み取り専用のため書き込めません"
                                          : "データベースの処理に失敗しました") +
                         "（" + detail + "）。");
}

Result<Statement> Database::prepare(std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return makeError(ErrorCode::Unreadable, "データベースの問い合わせを準備できません（" + lastErrorText() + "）。");
    }
    return Statement(m_db, stmt);
}

bool Database::isReadOnly() const { return sqlite3_db_readonly(m_db, "main") == 1; }

std::string Database::lastErrorText() const { return m_db ? sqlite3_errmsg(m_db) : "no database"; }

} // namespace kazutama
