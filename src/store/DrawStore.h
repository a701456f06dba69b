#pragma once

#include "common/Result.h"
#include "store/ConnectionString.h"
#include "store/Database.h"
#include "store/DrawHistory.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kazutama {

class BackupOnFirstWrite;
class Transaction;

// How an import would change the stored history, draw by draw.
struct ImportReport {
    int added = 0;     // draw numbers not stored yet
    int replaced = 0;  // stored draws whose numbers differ
    int unchanged = 0; // stored draws with the same numbers
    // Of the replaced draws, those where a stored number becomes (in a preview: would become) empty, the
    // file having none there; in the order given.
    std::vector<int> emptied;
};

// Told how far a long step has come, every few hundred draws: `done` of `total`. Returning false stops the
// step (ErrorCode::Cancelled), and a write it was making changes nothing.
using ImportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The first dozen of `drawNumbers` as the messages list them: "1、2、3" or "1、2、…、12 ほか 18 回".
std::string listDrawNumbers(const std::vector<int>& drawNumbers);

// The history database file. New files are made in NewDatabase.cpp; reads and writes go through the saved
// query, whose triggers write the table behind it (the SQL is in DrawSql.h).
class DrawStore {
public:
    struct Opened;

    // An existing file of ours; any other file is refused without being written to.
    static Result<DrawStore> open(const ConnectionString& connection, Access access = Access::ReadWrite);
    // A new, empty history; fails if the file exists. The file appears complete or not at all.
    static Result<DrawStore> create(const ConnectionString& connection);
    // open(), or create() when the file is missing or empty (the caller tells the user so).
    static Result<Opened> openOrCreate(const ConnectionString& connection);
    // create() without opening, when the file is missing or empty; true when it made the file. create(),
    // openOrCreate() and this remove what killed creations left in the folder.
    static Result<bool> createIfMissing(const ConnectionString& connection);
    // A new file holding `draws` put in place of whatever is at the connection's path (a file that cannot
    // be opened, which the caller has kept elsewhere).
    static Status replaceFile(const ConnectionString& connection, const std::vector<DrawRecord>& draws);

    Result<DrawHistory> loadHistory();
    Result<std::optional<DrawRecord>> findDraw(int drawNumber);

    // What importDraws() would do, without writing.
    Result<ImportReport> previewImport(const std::vector<DrawRecord>& draws,
                                       const ImportProgress& progress = {});
    // Adds new draws and, when `replaceChanged`, replaces the numbers of stored draws that differ; all in
    // one transaction, so a failure leaves the history as it was. A stored number is replaced by an empty
    // one only in the draws of `mayEmpty` (those the user confirmed from previewImport's `emptied`); any
    // other such draw refuses the whole import (ErrorCode::WouldLoseData, nothing written). `progress` counts
    // the draws compared and then those written.
    Result<ImportReport> importDraws(const std::vector<DrawRecord>& draws, bool replaceChanged = true,
                                     const std::vector<int>& mayEmpty = {},
                                     const ImportProgress& progress = {});

    enum class WriteOutcome { Written, ChangedElsewhere };
    // Stores `value` (kNoNumber for none) as the number at `index` (0..8) of a stored draw, but only while
    // the database still holds `expected` there, so an edit never overwrites what another program stored
    // since the editor read the draw. ChangedElsewhere (nothing written) when it does not, or the draw is
    // gone.
    Result<WriteOutcome> writeNumber(int drawNumber, int index, int expected, int value);
    // Stores a new draw without numbers, numbered one above the highest stored draw; returns its number.
    Result<int> appendEmptyDraw();

    // Deletes a stored draw, but only while the database still holds exactly `expected` (the draw as the
    // caller read it); ChangedElsewhere (nothing deleted) when it does not, or the draw is gone.
    Result<WriteOutcome> deleteDraw(const DrawRecord& expected);

    // Replaces every stored draw by `draws`, in one transaction.
    Status replaceAll(const std::vector<DrawRecord>& draws);

    // The transaction of a write to the tickets or the draw dates: a file of the first version gains their
    // tables in it (see DrawSql.h), after the backup of the first write.
    Result<Transaction> beginExtrasWrite();
    // Whether the file has the tables of the tickets and the draw dates yet.
    Result<bool> hasExtras();

    // Before the first write through this store, `backups` copies the file as it is.
    void backUpBeforeWriting(BackupOnFirstWrite* backups) { m_backups = backups; }

    Database& database() { return m_db; }
    const Database& database() const { return m_db; }

private:
    explicit DrawStore(Database db) : m_db(std::move(db)) {}
    enum class Place { NewOnly, OverEmpty, OverAnything };
    static Status createFile(const ConnectionString& connection, Place place,
                             const std::vector<DrawRecord>& draws = {});
    // The transaction of a write, after the backup of the first one.
    Result<Transaction> beginWrite();
    // previewImport() as one part of a longer step: `before` of `total` done already.
    Result<ImportReport> preview(const std::vector<DrawRecord>& draws, const ImportProgress& progress,
                                 std::size_t before, std::size_t total);

    Database m_db;
    BackupOnFirstWrite* m_backups = nullptr;
};

struct DrawStore::Opened {
    DrawStore store;
    bool created = false;
};

} // namespace kazutama
