#include "store/DrawStore.h"

#include "store/Transaction.h"

namespace kazutama {

namespace {

// Marks a file as a history database of this program (PRAGMA application_id, "KZTM").
constexpr int kApplicationId = 0x4B5A544D;
constexpr int kSchemaVersion = 1;
constexpr std::string_view kDrawTable = "当選データ";

std::string quote(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string columnList(std::string_view prefix = "") {
    std::string list = std::string(prefix) + quote(kDrawNumberColumn);
    for (std::string_view column : kNumberColumns)
        list += ", " + std::string(prefix) + quote(column);
    return list;
}

std::string schemaSql() {
    const std::string table = quote(kDrawTable);
    const std::string view = quote(kAllDrawsQuery);
    const std::string key = quote(kDrawNumberColumn);

    std::string sql = "CREATE TABLE " + table + " (\n  " + key + " INTEGER PRIMARY KEY NOT NULL CHECK (" + key +
                      " BETWEEN " + std::to_string(kLowestDrawNumber) + " AND " +
                      std::to_string(kHighestDrawNumber) + ")";
    // A number is either not entered yet (NULL) or a whole number 1..37; nothing else can be stored.
    for (std::string_view name : kNumberColumns) {
        const std::string c = quote(name);
        sql += ",\n  " + c + " INTEGER CHECK (" + c + " IS NULL OR (typeof(" + c + ") = 'integer' AND " + c +
               " BETWEEN " + std::to_string(kLowestNumber) + " AND " + std::to_string(kHighestNumber) + "))";
    }
    sql += "\n);\n";
    sql += "CREATE VIEW " + view + " AS SELECT " + columnList() + " FROM " + table + ";\n";

    std::string assignments;
    for (std::string_view name : kNumberColumns)
        assignments += ", " + quote(name) + " = NEW." + quote(name);
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_追加") + " INSTEAD OF INSERT ON " + view +
           // Without this a missing draw number would silently become the next free one.
           " BEGIN SELECT RAISE(ABORT, 'draw number required') WHERE NEW." + key + " IS NULL;" +
           " INSERT INTO " + table + " (" + columnList() + ") VALUES (" + columnList("NEW.") + "); END;\n";
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_更新") + " INSTEAD OF UPDATE ON " + view +
           " BEGIN UPDATE " + table + " SET " + key + " = NEW." + key + assignments + " WHERE " + key +
           " = OLD." + key + "; END;\n";
    sql += "CREATE TRIGGER " + quote("全データ選択クエリ_削除") + " INSTEAD OF DELETE ON " + view +
           " BEGIN DELETE FROM " + table + " WHERE " + key + " = OLD." + key + "; END;\n";
    sql += "PRAGMA application_id = " + std::to_string(kApplicationId) + ";\n";
    sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";\n";
    return sql;
}

Error notOurs(const ConnectionString& connection) {
    return makeError(ErrorCode::NotOurDatabase, "「" + connection.databasePath().string() +
                                                    "」はKazutamaの当選データベースではありません。");
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

} // namespace

Result<DrawStore> DrawStore::open(const ConnectionString& connection) {
    auto db = Database::open(connection.databasePath(), connection.password(), Database::Mode::OpenExisting);
    if (!db)
        return db.error();
    DrawStore store(std::move(db).value());
    if (!store.verifySchema())
        return notOurs(connection);
    return store;
}

Result<DrawStore> DrawStore::create(const ConnectionString& connection) {
    auto db = Database::open(connection.databasePath(), connection.password(), Database::Mode::CreateNew);
    if (!db)
        return db.error();
    DrawStore store(std::move(db).value());
    if (auto status = store.createSchema(); !status) {
        { Database closing = std::move(store.m_db); }  // closed before its half-made file is removed
        std::error_code ignored;
        std::filesystem::remove(connection.databasePath(), ignored);
        std::filesystem::remove(connection.databasePath().string() + "-journal", ignored);
        return makeError(ErrorCode::WriteFailed, "データベースファイル「" + connection.databasePath().string() +
                                                     "」を作成できません。" + status.error().message);
    }
    return store;
}

Result<DrawStore::Opened> DrawStore::openOrCreate(const ConnectionString& connection) {
    std::error_code ec;
    if (std::filesystem::exists(connection.databasePath(), ec) || ec) {
        auto store = open(connection);
        if (!store)
            return store.error();
        return Opened{std::move(store).value(), false};
    }
    auto store = create(connection);
    if (!store)
        return store.error();
    return Opened{std::move(store).value(), true};
}

Status DrawStore::createSchema() {
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    if (auto status = m_db.exec(schemaSql()); !status)
        return status;
    return tx->commit();
}

Status DrawStore::verifySchema() {
    auto id = m_db.prepare("PRAGMA application_id");
    if (!id)
        return id.error();
    auto row = id->step();
    if (!row || !row.value() || id->intValue(0) != kApplicationId)
        return makeError(ErrorCode::NotOurDatabase, "");
    auto query = m_db.prepare(kHistoryCommandText);
    if (!query)
        return query.error();
    if (query->columnIndex(kDrawNumberColumn) < 0)
        return makeError(ErrorCode::NotOurDatabase, "");
    for (std::string_view column : kNumberColumns)
        if (query->columnIndex(column) < 0)
            return makeError(ErrorCode::NotOurDatabase, "");
    return Ok{};
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

    std::vector<DrawRecord> records;
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            break;
        DrawRecord record;
        record.drawNumber = query->intValue(keyColumn);
        for (int i = 0; i < kBallCount; ++i)
            record.numbers[i] = query->intOrZero(numberColumns[i]);
        records.push_back(record);
    }
    return DrawHistory(std::move(records));
}

Result<std::optional<DrawRecord>> DrawStore::findDraw(int drawNumber) {
    auto query = m_db.prepare("SELECT " + columnList() + " FROM " + quote(kAllDrawsQuery) + " WHERE " +
                              quote(kDrawNumberColumn) + " = ?1");
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
        record.numbers[i] = query->intOrZero(i + 1);
    return std::optional<DrawRecord>(record);
}

Status DrawStore::insertOrUpdate(const DrawRecord& draw, bool exists) {
    std::string sql;
    if (exists) {
        sql = "UPDATE " + quote(kAllDrawsQuery) + " SET ";
        for (int i = 0; i < kBallCount; ++i)
            sql += (i ? ", " : "") + quote(kNumberColumns[i]) + " = ?" + std::to_string(i + 2);
        sql += " WHERE " + quote(kDrawNumberColumn) + " = ?1";
    } else {
        sql = "INSERT INTO " + quote(kAllDrawsQuery) + " (" + columnList() + ") VALUES (?1";
        for (int i = 0; i < kBallCount; ++i)
            sql += ", ?" + std::to_string(i + 2);
        sql += ")";
    }
    auto statement = m_db.prepare(sql);
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, draw.drawNumber); !s)
        return s;
    for (int i = 0; i < kBallCount; ++i)
        if (auto s = statement->bindIntOrNull(i + 2, draw.numbers[i]); !s)
            return s;
    auto done = statement->step();
    if (!done)
        return done.error();
    return Ok{};
}

Result<ImportReport> DrawStore::previewImport(const std::vector<DrawRecord>& draws) {
    ImportReport report;
    for (const DrawRecord& draw : draws) {
        auto stored = findDraw(draw.drawNumber);
        if (!stored)
            return stored.error();
        if (!stored->has_value())
            ++report.added;
        else if (stored->value() == draw)
            ++report.unchanged;
        else
            ++report.replaced;
    }
    return report;
}

Result<ImportReport> DrawStore::importDraws(const std::vector<DrawRecord>& draws, bool replaceChanged) {
    for (const DrawRecord& draw : draws)
        if (!isStorable(draw))
            return invalidDraw(draw);
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    ImportReport report;
    for (const DrawRecord& draw : draws) {
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
        if (auto status = insertOrUpdate(draw, exists); !status)
            return status.error();
        ++(exists ? report.replaced : report.added);
    }
    if (auto status = tx->commit(); !status)
        return status.error();
    return report;
}

Status DrawStore::writeDraw(const DrawRecord& draw) {
    if (!isStorable(draw))
        return invalidDraw(draw);
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    auto stored = findDraw(draw.drawNumber);
    if (!stored)
        return stored.error();
    if (auto status = insertOrUpdate(draw, stored->has_value()); !status)
        return status;
    return tx->commit();
}

Status DrawStore::deleteDraw(int drawNumber) {
    auto tx = Transaction::begin(m_db);
    if (!tx)
        return tx.error();
    auto statement =
        m_db.prepare("DELETE FROM " + quote(kAllDrawsQuery) + " WHERE " + quote(kDrawNumberColumn) + " = ?1");
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, drawNumber); !s)
        return s;
    if (auto done = statement->step(); !done)
        return done.error();
    return tx->commit();
}

} // namespace kazutama
