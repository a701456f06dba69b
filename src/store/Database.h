#pragma once

#include "common/Result.h"
#include "store/Statement.h"

#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

namespace kazutama {

// Whether a connection may change the file. A read-only connection never writes a byte of it.
enum class Access { ReadWrite, ReadOnly };

// An open, keyed SQLCipher database. Owns the handle; closes it on destruction.
class Database {
public:
    // An existing file, read-write (or read-only when the file is write-protected) or read-only. An empty
    // file opens as an empty database.
    static Result<Database> open(const std::filesystem::path& path, const std::string& key,
                                 Access access = Access::ReadWrite);

    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs one or more statements that return no rows.
    Status exec(std::string_view sql);
    Result<Statement> prepare(std::string_view sql);
    bool isReadOnly() const;

    // The engine's last error text, for the detail part of a message.
    std::string lastErrorText() const;
    sqlite3* handle() const { return m_db; }

private:
    explicit Database(sqlite3* db) : m_db(db) {}
    // Opens with `key` as the library takes it (a password, or a raw key) and reads the first page.
    static Result<Database> connect(const std::filesystem::path& path, const std::string& key, Access access);
    sqlite3* m_db = nullptr;
};

} // namespace kazutama
