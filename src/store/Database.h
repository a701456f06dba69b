#pragma once

#include "common/Result.h"
#include "store/Statement.h"

#include <filesystem>
#include <memory>
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
    // file opens as an empty database. A journal left by an interrupted write is rolled back only when it
    // was written for the file as it is (JournalLeft otherwise); a read-only connection then reads a
    // rolled-back copy, and the file itself stays as it is.
    static Result<Database> open(const std::filesystem::path& path, const std::string& key,
                                 Access access = Access::ReadWrite);
    // Rolls back whatever journal is there, as the library would: for a journal the user has said belongs to
    // the file.
    static Status rollBackJournal(const std::filesystem::path& path, const std::string& key);
    // A database in memory, without a key.
    static Result<Database> inMemory();

    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs one or more statements that return no rows.
    Status exec(std::string_view sql);
    Result<Statement> prepare(std::string_view sql);

    // The file as the caller named it.
    const std::filesystem::path& path() const { return m_path; }
    // The whole database copied into `destination` (an empty database), consistently, while other programs
    // may go on writing it.
    Status copyInto(Database& destination);
    // What a journal needs to be recognised if this commit is interrupted; see RollbackJournal.h.
    void recordCommit();
    void forgetCommit();
    // How many write transactions this connection has committed.
    int commitCount() const { return m_commitCount; }
    void countCommit() { ++m_commitCount; }

private:
    explicit Database(sqlite3* db) : m_db(db) {}
    static Result<Database> openRolledBackCopy(const std::filesystem::path& path, const std::string& key);
    // Opens with `key` as the library takes it (a password, or a raw key) and reads the first page.
    static Result<Database> connectWithKey(const std::filesystem::path& path, const std::string& key,
                                           Access access);
    static Result<Database> connect(const std::filesystem::path& path, const std::string& key, Access access);
    void close();
    static constexpr long kStepLimit = 200'000'000;
    static int stopRunaway(void* steps);

    sqlite3* m_db = nullptr;
    // Engine steps (in thousands) since the last statement was started; on the heap, so the progress
    // handler's pointer stays valid when the connection object moves.
    std::unique_ptr<long> m_steps = std::make_unique<long>(0);
    std::filesystem::path m_path;
    int m_commitCount = 0;
    std::filesystem::path m_scratch; // the folder of a rolled-back copy, removed with the connection
};

} // namespace kazutama
