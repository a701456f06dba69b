// DrawStore's new files: each appears whole, with its schema and saved query, or not at all.

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLock.h"
#include "store/DrawSql.h"
#include "store/DrawStore.h"
#include "store/Transaction.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

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

// The schema and the marks of a new file, in one transaction.
Status createSchema(Database& db) {
    auto tx = Transaction::begin(db);
    if (!tx)
        return tx.error();
    if (auto status = db.exec(sql::createSchema()); !status)
        return status;
    return tx->commit();
}

} // namespace

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
        if (auto status = createSchema(store.database()); !status)
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

Result<DrawStore::Opened> DrawStore::openOrCreate(const ConnectionString& connection) {
    auto created = createIfMissing(connection);
    if (!created)
        return created.error();
    auto store = open(connection);
    if (!store)
        return store.error();
    return Opened{std::move(store).value(), *created};
}

} // namespace kazutama
