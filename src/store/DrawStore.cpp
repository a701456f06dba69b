#include "store/DrawStore.h"

#include "common/QuotedInput.h"
#include "store/Backups.h"
#include "store/DrawSql.h"
#include "store/Transaction.h"

#include <algorithm>
#include <span>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

// One row of the file's schema: every table, view, trigger and index by its type, name and SQL.
struct SchemaEntry {
    std::string type, name, table, sql;
    bool operator==(const SchemaEntry&) const = default;
};

Result<std::vector<SchemaEntry>> schemaEntries(Database& db) {
    auto query = db.prepare(sql::selectSchema());
    if (!query)
        return query.error();
    std::vector<SchemaEntry> entries;
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            return entries;
        entries.push_back(
            {query->textValue(0), query->textValue(1), query->textValue(2), query->textValue(3)});
    }
}

Result<int> pragmaNumber(Database& db, std::string_view pragma) {
    auto query = db.prepare(pragma);
    if (!query)
        return query.error();
    auto row = query->step();
    if (!row)
        return row.error();
    return row.value() ? int(query->wholeNumberOrZero(0)) : 0;
}

// Every entry of the schema of a file of `version` (1 or 2) as this program makes it.
const Result<std::vector<SchemaEntry>>& schemaOfVersion(int version) {
    static const auto make = [](bool extras) {
        auto memory = Database::inMemory();
        if (!memory)
            return Result<std::vector<SchemaEntry>>(memory.error());
        if (auto made = memory->exec(sql::createSchema()); !made)
            return Result<std::vector<SchemaEntry>>(made.error());
        if (extras)
            if (auto made = memory->exec(sql::createExtraTables()); !made)
                return Result<std::vector<SchemaEntry>>(made.error());
        return schemaEntries(*memory);
    };
    static const Result<std::vector<SchemaEntry>> drawsOnly = make(false), withExtras = make(true);
    return version >= sql::kSchemaVersion ? withExtras : drawsOnly;
}

// The version of a file whose schema is exactly ours, 0 for any other file; an error when the file
// cannot be read, or was made by a newer version of the program.
Result<int> ourSchemaVersion(Database& db) {
    auto id = pragmaNumber(db, sql::selectApplicationId());
    if (!id)
        return id.error();
    if (id.value() != sql::kApplicationId)
        return 0;
    auto version = pragmaNumber(db, sql::selectUserVersion());
    if (!version)
        return version.error();
    if (version.value() > sql::kSchemaVersion)
        return makeError(
            ErrorCode::NewerDatabase,
            quotePath(db.path()) + "は新しい版のKazutamaで作られたファイルです（ファイルの版 " +
                std::to_string(version.value()) + "、この版が読めるのは版 " +
                std::to_string(sql::kSchemaVersion) +
                " まで）。ファイルには何も書き込んでいません。新しい版のKazutamaで開いてください。");
    // Its views and triggers run whenever the history is read or written, so a file is used only when they
    // are exactly ours: one whose update trigger deletes every draw, or whose saved query never ends, would
    // otherwise do its work on the user's history.
    auto entries = schemaEntries(db);
    if (!entries)
        return entries.error();
    const auto& ours = schemaOfVersion(version.value());
    if (!ours)
        return ours.error();
    if (entries.value() != ours.value())
        return 0;
    auto mode = db.prepare(sql::selectJournalMode());
    if (!mode)
        return mode.error();
    auto journal = mode->step();
    if (!journal)
        return journal.error();
    if (!journal.value() || mode->textValue(0) != "delete")
        return 0;
    return std::max(version.value(), sql::kDrawsOnlyVersion);
}

// Runs a statement that returns no rows on draw `drawNumber` (?1), with `numbers` as ?2, ?3, ... (kNoNumber
// as NULL).
Status runOnDraw(Database& db, const std::string& sql, int drawNumber, std::span<const int> numbers = {}) {
    auto statement = db.prepare(sql);
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, drawNumber); !s)
        return s;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (auto s = statement->bindIntOrNull(int(i) + 2, numbers[i]); !s)
            return s;
    if (auto done = statement->step(); !done)
        return done.error();
    return Ok{};
}

Status insertDraw(Database& db, const DrawRecord& draw) {
    return runOnDraw(db, sql::insertDraw(), draw.drawNumber, draw.numbers);
}

Status updateDraw(Database& db, const DrawRecord& draw) {
    return runOnDraw(db, sql::updateDraw(), draw.drawNumber, draw.numbers);
}

Error notOurs(const ConnectionString& connection) {
    return makeError(ErrorCode::NotOurDatabase,
                     quotePath(connection.databasePath()) + "はKazutamaの当選データベースではありません。");
}

Error invalidDraw(const DrawRecord& draw) {
    return makeError(ErrorCode::InvalidData,
                     "第" + std::to_string(draw.drawNumber) + "回の当選データに誤りがあります。");
}

bool isStorable(const DrawRecord& draw) {
    if (!isValidDrawNumber(draw.drawNumber))
        return false;
    for (int n : draw.numbers)
        if (n != kNoNumber && !isValidNumber(n))
            return false;
    return true;
}

// Whether `incoming` would leave a number of the `stored` draw empty.
bool empties(const DrawRecord& stored, const DrawRecord& incoming) {
    for (int i = 0; i < kBallCount; ++i)
        if (stored.numbers[std::size_t(i)] != kNoNumber && incoming.numbers[std::size_t(i)] == kNoNumber)
            return true;
    return false;
}

} // namespace

std::string listDrawNumbers(const std::vector<int>& drawNumbers) {
    constexpr size_t kListed = 12;
    std::string list;
    for (size_t i = 0; i < std::min(drawNumbers.size(), kListed); ++i)
        list += (i ? "、" : "") + std::to_string(drawNumbers[i]);
    if (drawNumbers.size() > kListed)
        list += " ほか " + std::to_string(drawNumbers.size() - kListed) + " 回";
    return list;
}

Result<DrawStore> DrawStore::open(const ConnectionString& connection, Access access) {
    std::error_code ec;
    if (fs::is_regular_file(connection.databasePath(), ec) &&
        fs::file_size(connection.databasePath(), ec) == 0 && !ec)
        return makeError(ErrorCode::NotOurDatabase,
                         quotePath(connection.databasePath()) +
                             "は空のファイルです（Kazutamaの当選データベースではありません）。");
    auto db = Database::open(connection.databasePath(), connection.password(), access);
    if (!db)
        return db.error();
    DrawStore store(std::move(db).value());
    auto version = ourSchemaVersion(store.m_db);
    if (!version)
        return version.error();
    if (version.value() == 0)
        return notOurs(connection);
    return store;
}

Result<Transaction> DrawStore::beginWrite() {
    if (m_backups)
        m_backups->beforeWrite(m_db);
    return Transaction::begin(m_db);
}

Result<bool> DrawStore::hasExtras() {
    auto version = pragmaNumber(m_db, sql::selectUserVersion());
    if (!version)
        return version.error();
    return version.value() >= sql::kSchemaVersion;
}

Result<Transaction> DrawStore::beginExtrasWrite() {
    auto transaction = beginWrite();
    if (!transaction)
        return transaction;
    // Read inside the transaction: another program may have added the tables since this one opened the
    // file. Until the transaction commits the file stays of the old version; a rollback keeps it so.
    auto version = pragmaNumber(m_db, sql::selectUserVersion());
    if (!version)
        return version.error();
    if (version.value() < sql::kSchemaVersion)
        if (auto added = m_db.exec(sql::createExtraTables()); !added)
            return added.error();
    return transaction;
}

Result<DrawHistory> DrawStore::loadHistory() {
    auto query = m_db.prepare(kHistoryCommandText);
    if (!query)
        return query.error();
    // Fields are read by column name, whatever order the saved query gives them in.
    const int keyColumn = query->columnIndex(kDrawNumberColumn);
    std::array<int, kBallCount> numberColumns{};
    for (int i = 0; i < kBallCount; ++i)
        numberColumns[i] = query->columnIndex(kNumberColumns[i]);

    std::vector<StoredDraw> rows;
    // The history is read in one pass into a vector sized beforehand.
    if (auto count = m_db.prepare(sql::countDraws())) {
        if (auto counted = count->step(); counted && counted.value())
            rows.reserve(
                std::size_t(std::clamp(count->wholeNumberOrZero(0), 0LL, (long long)kHighestDrawNumber)));
    }
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            break;
        // Each draw number is stored once and within 1..32760; a table with more rows is not one of ours.
        if (rows.size() == std::size_t(kHighestDrawNumber))
            return makeError(ErrorCode::NotOurDatabase, "データベースファイル" + quotePath(m_db.path()) +
                                                            "は当選データの行が多すぎます。ファイルが壊れてい"
                                                            "るか、Kazutamaのデータベースではありません。");
        StoredDraw& stored = rows.emplace_back();
        stored.drawNumber = query->wholeNumberOrZero(keyColumn);
        for (int i = 0; i < kBallCount; ++i)
            stored.numbers[std::size_t(i)] = query->wholeNumberOrZero(numberColumns[i]);
    }
    return historyFromStoredRows(rows);
}

Result<std::optional<DrawRecord>> DrawStore::findDraw(int drawNumber) {
    auto query = m_db.prepare(sql::selectDraw());
    if (!query)
        return query.error();
    if (auto s = query->bindInt(1, drawNumber); !s)
        return s.error();
    auto row = query->step();
    if (!row)
        return row.error();
    if (!row.value())
        return std::optional<DrawRecord>();
    DrawRecord record{query->intValue(0), {}};
    for (int i = 0; i < kBallCount; ++i)
        record.numbers[std::size_t(i)] = numberOrNone(query->wholeNumberOrZero(i + 1));
    return std::optional<DrawRecord>(record);
}

namespace {

constexpr std::size_t kProgressStep = 500;

// Whether a step over `draws` may go on at draw `done` of its `count`, the step having `before` of `total`
// behind it already.
bool goesOn(const ImportProgress& progress, std::size_t done, std::size_t before, std::size_t total) {
    return !progress || done % kProgressStep != 0 || progress(before + done, total);
}

Error cancelled() {
    return makeError(ErrorCode::Cancelled, "取り込みを取り消しました。当選データは変わっていません。");
}

} // namespace

Result<ImportReport> DrawStore::previewImport(const std::vector<DrawRecord>& draws,
                                              const ImportProgress& progress) {
    return preview(draws, progress, 0, draws.size());
}

Result<ImportReport> DrawStore::preview(const std::vector<DrawRecord>& draws, const ImportProgress& progress,
                                        std::size_t before, std::size_t total) {
    ImportReport report;
    for (std::size_t done = 0; const DrawRecord& draw : draws) {
        if (!goesOn(progress, done++, before, total))
            return cancelled();
        auto stored = findDraw(draw.drawNumber);
        if (!stored)
            return stored.error();
        if (!stored->has_value())
            ++report.added;
        else if (stored->value() == draw)
            ++report.unchanged;
        else {
            ++report.replaced;
            if (empties(stored->value(), draw))
                report.emptied.push_back(draw.drawNumber);
        }
    }
    return report;
}

Result<ImportReport> DrawStore::importDraws(const std::vector<DrawRecord>& draws, bool replaceChanged,
                                            const std::vector<int>& mayEmpty,
                                            const ImportProgress& progress) {
    for (const DrawRecord& draw : draws)
        if (!isStorable(draw))
            return invalidDraw(draw);
    std::vector<int> confirmed = mayEmpty;
    std::sort(confirmed.begin(), confirmed.end());
    // A file that would change nothing writes nothing (and makes no backup).
    const std::size_t total = 2 * draws.size();
    auto preview = this->preview(draws, progress, 0, total);
    if (!preview)
        return preview.error();
    if (preview->added == 0 && (preview->replaced == 0 || !replaceChanged))
        return ImportReport{0, 0, preview->unchanged, {}};
    auto tx = beginWrite();
    if (!tx)
        return tx.error();
    ImportReport report;
    std::vector<int> refused;
    for (std::size_t done = 0; const DrawRecord& draw : draws) {
        // Stopped here, the transaction rolls back.
        if (!goesOn(progress, done++, draws.size(), total))
            return cancelled();
        auto stored = findDraw(draw.drawNumber);
        if (!stored)
            return stored.error();
        const bool exists = stored->has_value();
        if (exists && stored->value() == draw) {
            ++report.unchanged;
            continue;
        }
        if (exists && !replaceChanged)
            continue;
        // Checked here, inside the transaction: another program may have filled in a draw since the preview.
        if (exists && empties(stored->value(), draw)) {
            if (!std::binary_search(confirmed.begin(), confirmed.end(), draw.drawNumber)) {
                refused.push_back(draw.drawNumber);
                continue;
            }
            report.emptied.push_back(draw.drawNumber);
        }
        if (auto status = exists ? updateDraw(m_db, draw) : insertDraw(m_db, draw); !status)
            return status.error();
        ++(exists ? report.replaced : report.added);
    }
    if (!refused.empty())
        return makeError(ErrorCode::WouldLoseData,
                         "ファイルの空欄で、保存されている数字が消えてしまう回があります（" +
                             listDrawNumbers(refused) + "）。");
    if (auto status = tx->commit(); !status)
        return status.error();
    return report;
}

Result<DrawStore::WriteOutcome> DrawStore::writeNumber(int drawNumber, int index, int expected, int value) {
    if (index < 0 || index >= kBallCount || (value != kNoNumber && !isValidNumber(value)))
        return makeError(ErrorCode::InvalidData,
                         "第" + std::to_string(drawNumber) + "回の" +
                             std::string(kNumberColumns[std::size_t(std::clamp(index, 0, kBallCount - 1))]) +
                             "は1から37までの整数ではありません。");
    auto tx = beginWrite();
    if (!tx)
        return tx.error();
    auto stored = findDraw(drawNumber);
    if (!stored)
        return stored.error();
    if (!stored->has_value() || stored->value().numbers[std::size_t(index)] != expected)
        return WriteOutcome::ChangedElsewhere;
    if (auto status = runOnDraw(m_db, sql::updateNumber(index), drawNumber, std::span(&value, 1)); !status)
        return status.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return WriteOutcome::Written;
}

Result<int> DrawStore::appendEmptyDraw() {
    auto tx = beginWrite();
    if (!tx)
        return tx.error();
    auto highest = m_db.prepare(sql::selectHighestDrawNumber());
    if (!highest)
        return highest.error();
    if (auto row = highest->step(); !row)
        return row.error();
    const int next = highest->isNull(0) ? kLowestDrawNumber : highest->intValue(0) + 1;
    if (!isValidDrawNumber(next))
        return makeError(ErrorCode::InvalidData, "これ以上の回を追加できません（回数は" +
                                                     std::to_string(kHighestDrawNumber) + "までです）。");
    if (auto status = insertDraw(m_db, DrawRecord{next, {}}); !status)
        return status.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return next;
}

Result<DrawStore::WriteOutcome> DrawStore::deleteDraw(const DrawRecord& expected) {
    auto tx = beginWrite();
    if (!tx)
        return tx.error();
    auto stored = findDraw(expected.drawNumber);
    if (!stored)
        return stored.error();
    if (!stored->has_value() || stored->value() != expected)
        return WriteOutcome::ChangedElsewhere;
    if (auto status = runOnDraw(m_db, sql::deleteDraw(), expected.drawNumber); !status)
        return status.error();
    if (auto status = tx->commit(); !status)
        return status.error();
    return WriteOutcome::Written;
}

Status DrawStore::replaceAll(const std::vector<DrawRecord>& draws) {
    for (const DrawRecord& draw : draws)
        if (!isStorable(draw))
            return invalidDraw(draw);
    auto tx = beginWrite();
    if (!tx)
        return tx.error();
    if (auto cleared = m_db.exec(sql::deleteAllDraws()); !cleared)
        return cleared;
    for (const DrawRecord& draw : draws)
        if (auto status = insertDraw(m_db, draw); !status)
            return status;
    return tx->commit();
}

} // namespace kazutama
