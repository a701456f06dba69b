#pragma once

#include "common/Result.h"

#include <filesystem>

struct sqlite3_file;

namespace kazutama {

// The database library keeps the pages a write is about to change in "<database>-journal" and, when a
// program dies half-way, puts them back the next time the file is opened. It cannot tell whether the file
// beside the journal is still the one the journal was written for: a backup copied over the database in
// the meantime would get pages of the other history written into it. Before each commit we therefore record
// what the file held (a digest of every page) beside it, and a journal is rolled back only when the file
// still holds exactly that outside the pages the journal itself restores.
enum class JournalFinding {
    None,         // no journal that the library would roll back
    Ours,         // left by a write of this file that was interrupted: rolling it back is safe
    NotOurs,      // written for another state of the file (a backup copied over it, another database)
    Unverifiable, // a journal whose origin cannot be checked (written without our record)
    NotAFile,     // something other than a regular file under the journal's name
};

std::filesystem::path journalPath(const std::filesystem::path& database);
std::filesystem::path commitRecordPath(const std::filesystem::path& database);

JournalFinding inspectJournal(const std::filesystem::path& database);

// Records the database as it is on disk, read through the library's own handle `file`, for the transaction
// whose journal is open now. Called just before its commit; a record that cannot be written only means that
// a journal left by this commit would be Unverifiable.
void recordCommit(const std::filesystem::path& database, sqlite3_file* file);

// After the commit: the record is no longer needed.
void forgetCommit(const std::filesystem::path& database);

// The journal left beside `database`, and what the program knows of it, moved into `folder` under names
// starting with `stem`, so the file opens as it is and nothing is deleted.
Status setJournalAside(const std::filesystem::path& database, const std::filesystem::path& folder,
                       const std::string& stem);

// The message for a journal that is not rolled back.
std::string journalMessage(const std::filesystem::path& database, JournalFinding finding);

} // namespace kazutama
