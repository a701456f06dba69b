#include "store/Backups.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/DrawSql.h"
#include "store/DrawStore.h"
#include "store/RollbackJournal.h"
#include "store/StartupSummary.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeptLatest = 10;
constexpr int kKeptMonths = 12;
// What a copy must leave free on the disk, beyond its own size, for the program's own writes to go on.
constexpr std::uintmax_t kSpareBytes = 32u << 20;

std::tm localTime(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    return parts;
}

std::string stampOf(std::time_t time) {
    const std::tm t = localTime(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The time in a backup's name "<stem>-YYYYMMDD-HHMMSS[-N].mdb", or none for any other name.
std::optional<std::time_t> timeInName(const std::string& name, const std::string& stem) {
    if (!name.starts_with(stem + "-") || !name.ends_with(".mdb"))
        return std::nullopt;
    const std::string_view rest =
        std::string_view(name).substr(stem.size() + 1, name.size() - stem.size() - 5);
    if (rest.size() < 15 || rest[8] != '-' || !allDigits(rest.substr(0, 8)) || !allDigits(rest.substr(9, 6)))
        return std::nullopt;
    if (rest.size() > 15 && (rest[15] != '-' || !allDigits(rest.substr(16))))
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) {
        return std::stoi(std::string(rest.substr(at, length)));
    };
    std::tm t{};
    t.tm_year = number(0, 4) - 1900;
    t.tm_mon = number(4, 2) - 1;
    t.tm_mday = number(6, 2);
    t.tm_hour = number(9, 2);
    t.tm_min = number(11, 2);
    t.tm_sec = number(13, 2);
    t.tm_isdst = -1;
    return std::mktime(&t);
}

Error failedCopy(const fs::path& folder, const std::string& cause) {
    return makeError(ErrorCode::WriteFailed,
                     "バックアップを" + quotePath(folder) + "に作れませんでした（" + cause + "）。");
}

Result<DrawHistory> readBackup(const fs::path& file) {
    auto store = DrawStore::open(ConnectionString::forDatabase(file), Access::ReadOnly);
    if (!store)
        return store.error();
    return store->loadHistory();
}

std::string stemOf(const ConnectionString& database) {
    return database.databasePath().stem().string();
}

} // namespace

Backups::Backups(ConnectionString database) : m_database(std::move(database)), m_stem(stemOf(m_database)) {
    const fs::path& path = m_database.databasePath();
    m_folder = (path.has_parent_path() ? path.parent_path() : fs::path(".")) / (m_stem + "-backups");
}

Backups::Backups(ConnectionString database, fs::path folder)
    : m_database(std::move(database)), m_folder(std::move(folder)), m_stem(stemOf(m_database)),
      m_pruned(false) {}

std::string Backups::newName(std::time_t now, const std::string& suffix) const {
    const std::string base = m_stem + "-" + stampOf(now);
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string name = base + (n > 1 ? "-" + std::to_string(n) : "") + suffix;
        if (!fs::exists(fs::symlink_status(m_folder / name, ec)))
            return name;
    }
}

Result<fs::path> Backups::take(Database& db) const {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (ec)
        return failedCopy(m_folder, describeSystemError(ec.value()));
    const std::uintmax_t size = fs::file_size(db.path(), ec);
    struct statvfs disk {};
    if (!ec && ::statvfs(m_folder.c_str(), &disk) == 0 &&
        std::uintmax_t(disk.f_bavail) * disk.f_frsize < 2 * size + kSpareBytes)
        return failedCopy(m_folder, "ディスクの空き容量が足りません");

    std::string temporary = (m_folder / ("." + m_stem + "-XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data()); // mode 0600: a copy is the user's alone, as the file is
    if (fd < 0)
        return failedCopy(m_folder, describeSystemError(errno));
    const auto discard = [&](const std::string& cause) {
        ::close(fd);
        ::unlink(temporary.c_str());
        ::unlink(journalPath(temporary).c_str());
        return failedCopy(m_folder, cause);
    };
    {
        auto copy = Database::open(temporary, m_database.password());
        if (!copy)
            return discard(causeIn(copy.error().message));
        if (auto copied = db.copyInto(*copy); !copied)
            return discard(causeIn(copied.error().message));
    }
    if (::fsync(fd) != 0)
        return discard(describeSystemError(errno));
    ::close(fd);
    const std::time_t now = std::time(nullptr);
    const fs::path file = m_folder / newName(now, ".mdb");
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) != 0 &&
        ::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failedCopy(m_folder, describeSystemError(error));
    }
    if (const int dir = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    if (m_pruned)
        prune(now);
    return file;
}

BackupInfo Backups::inspect(const fs::path& file) {
    BackupInfo info{file, 0, false, 0, 0};
    if (auto history = readBackup(file)) {
        info.readable = true;
        info.draws = int(history->size());
        info.latestDraw = computeStartupSummary(*history).latestDrawNumber;
    }
    return info;
}

std::vector<BackupInfo> Backups::list() const {
    std::vector<BackupInfo> backups;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
        const auto taken = timeInName(entry.path().filename().string(), m_stem);
        if (!taken || !entry.is_regular_file(ec))
            continue;
        BackupInfo info = inspect(entry.path());
        info.takenAt = *taken;
        backups.push_back(info);
    }
    std::sort(backups.begin(), backups.end(), [](const BackupInfo& a, const BackupInfo& b) {
        return a.takenAt != b.takenAt ? a.takenAt > b.takenAt : a.file.filename() > b.file.filename();
    });
    return backups;
}

std::optional<BackupInfo> Backups::newestReadable() const {
    for (const BackupInfo& backup : list())
        if (backup.readable)
            return backup;
    return std::nullopt;
}

void Backups::prune(std::time_t now) const {
    std::vector<std::pair<std::time_t, fs::path>> copies;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(m_folder, ec))
        if (const auto taken = timeInName(entry.path().filename().string(), m_stem);
            taken && entry.is_regular_file(ec))
            copies.emplace_back(*taken, entry.path());
    std::sort(copies.begin(), copies.end(), std::greater<>());
    const std::tm today = localTime(now);
    const int thisMonth = (today.tm_year + 1900) * 12 + today.tm_mon;
    std::set<int> monthsKept;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const std::tm t = localTime(copies[i].first);
        const int month = (t.tm_year + 1900) * 12 + t.tm_mon;
        // The newest of each of the last twelve months stays, whatever else is removed.
        const bool monthly = thisMonth - month < kKeptMonths && monthsKept.insert(month).second;
        if (i >= kKeptLatest && !monthly)
            fs::remove(copies[i].second, ec);
    }
}

Result<RestoreReport> Backups::restore(const fs::path& backup) const {
    auto history = readBackup(backup);
    if (!history)
        return makeError(history.error().code,
                         "バックアップ" + quotePath(backup) + "を復元できません。" + history.error().message);
    RestoreReport report{inspect(backup), {}};
    report.restored.takenAt = timeInName(backup.filename().string(), m_stem).value_or(0);

    const fs::path& live = m_database.databasePath();
    const std::time_t now = std::time(nullptr);
    // The user chose to replace what the file holds: a journal written for something else is of no use to it,
    // but it is kept.
    switch (inspectJournal(live)) {
    case JournalFinding::NotOurs:
    case JournalFinding::Unverifiable:
    case JournalFinding::NotAFile:
        if (auto aside = setJournalAside(); !aside)
            return aside.error();
        break;
    default:
        break;
    }

    auto store = DrawStore::open(m_database);
    if (store) {
        // No copy is removed while one is being put back.
        Backups keeping(m_database, m_folder);
        auto previous = keeping.take(store->database());
        if (!previous)
            return makeError(previous.error().code,
                             previous.error().message + "今のファイルを残せないため、復元しませんでした。");
        report.previous = *previous;
        if (auto replaced = store->replaceAll(history->records()); !replaced)
            return replaced.error();
        return report;
    }
    const ErrorCode cause = store.error().code;
    if (cause != ErrorCode::NotOurDatabase && cause != ErrorCode::Unreadable &&
        cause != ErrorCode::FileMissing)
        return store.error();
    // A file that does not open is kept byte for byte, and a new one made from the backup takes its place.
    std::error_code ec;
    if (fs::exists(live, ec)) {
        fs::create_directories(m_folder, ec);
        report.previous = m_folder / newName(now, ".unreadable");
        fs::copy_file(live, report.previous, ec);
        if (ec)
            return makeError(ErrorCode::WriteFailed, "開けないファイル" + quotePath(live) + "を" +
                                                         quotePath(m_folder) +
                                                         "に残せないため、復元しませんでした（" +
                                                         describeSystemError(ec.value()) + "）。");
    }
    if (auto replaced = DrawStore::replaceFile(m_database, history->records()); !replaced)
        return replaced.error();
    return report;
}

Status Backups::setJournalAside() const {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    // The journal's own name must be free: one set aside in the same second has it, and the move would
    // replace that one.
    std::string stem = newName(std::time(nullptr), "-journal");
    stem.resize(stem.size() - std::string_view("-journal").size());
    return kazutama::setJournalAside(m_database.databasePath(), m_folder, stem);
}

std::string Backups::timeText(std::time_t time) {
    const std::tm t = localTime(time);
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日 %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

BackupOnFirstWrite::BackupOnFirstWrite(Backups backups, std::function<void(const std::string&)> notice)
    : m_backups(std::move(backups)), m_notice(std::move(notice)) {}

void BackupOnFirstWrite::beforeWrite(Database& db) {
    if (m_done)
        return;
    // A database that cannot be read now (another program holds it locked) cannot be written either: the
    // backup is left to the write that can be.
    auto count = db.prepare(sql::countDraws());
    if (!count)
        return;
    auto row = count->step();
    if (!row)
        return;
    m_done = true;
    // An empty history has nothing to keep.
    if (*row && count->intValue(0) == 0)
        return;
    if (auto made = m_backups.take(db); !made && m_notice)
        m_notice(made.error().message + "書き込みはそのまま続けます。");
}

} // namespace kazutama
