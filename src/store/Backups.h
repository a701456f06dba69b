#pragma once

#include "common/Result.h"
#include "store/ConnectionString.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kazutama {

class Database;

// One copy of the history in the backup folder.
struct BackupInfo {
    std::filesystem::path file;
    std::time_t takenAt = 0;
    bool readable = false; // the rest is known only for a copy that opens
    int draws = 0;         // draws stored
    int latestDraw = 0;    // the newest complete draw
};

// What a restore did.
struct RestoreReport {
    BackupInfo restored;
    std::filesystem::path previous; // the copy of the file as it was before, in the backup folder
};

// The copies of a history database kept without being asked: a consistent copy of the file (through the
// database library's online backup, so a write going on meanwhile is never half in it), named by the time
// it was taken, in a folder beside the database. The last 10 are kept, and the newest of each month for a
// year.
class Backups {
public:
    // Copies kept in "<name>-backups" beside the database ("Kazutama-backups" for Kazutama.mdb).
    explicit Backups(ConnectionString database);
    // Copies made into `folder` at the user's request: none is ever removed there.
    Backups(ConnectionString database, std::filesystem::path folder);

    const std::filesystem::path& folder() const { return m_folder; }

    // A copy of the database open as `db`. Refused, with nothing made, when the disk would be left short of
    // space (the message says so); a copy that fails half-way is removed.
    Result<std::filesystem::path> take(Database& db) const;
    // Every copy in the folder, newest first, with what it holds.
    std::vector<BackupInfo> list() const;
    // The newest copy that opens, if any.
    std::optional<BackupInfo> newestReadable() const;
    // Removes the copies beyond those kept, as of `now`.
    void prune(std::time_t now) const;

    // Puts the history of `backup` in place of the database's: the file as it is now is kept first (a copy
    // of it, or, when it cannot be opened, its bytes), a journal that is not the file's own is set aside, and
    // the history is replaced in one transaction, so an interruption leaves the file as it was. The caller
    // makes sure no other window works on the file.
    Result<RestoreReport> restore(const std::filesystem::path& backup) const;
    // The journal left beside the database moved into the folder, so the file opens as it is and nothing is
    // deleted (see setJournalAside in RollbackJournal.h).
    Status setJournalAside() const;

    // The date and time as the windows and messages show them: "2026年12月9日 14:05:09".
    static std::string timeText(std::time_t time);
    // Reads what a backup holds.
    static BackupInfo inspect(const std::filesystem::path& file);

private:
    std::string newName(std::time_t now, const std::string& suffix) const;

    ConnectionString m_database;
    std::filesystem::path m_folder;
    std::string m_stem;
    bool m_pruned = true;
};

// Makes one backup, before the first write of a run of the program or a command: whatever is written
// afterwards, the history as it was when the run began can be had back. A backup that cannot be made
// (a full disk) is said in `notice` and the write goes on.
class BackupOnFirstWrite {
public:
    BackupOnFirstWrite(Backups backups, std::function<void(const std::string&)> notice);

    void beforeWrite(Database& db);
    const Backups& backups() const { return m_backups; }

private:
    Backups m_backups;
    std::function<void(const std::string&)> m_notice;
    bool m_done = false;
};

} // namespace kazutama
