#include "store/DrawSql.h"

#include "store/DrawRecord.h"

namespace kazutama::sql {

namespace {

constexpr int kSchemaVersion = 1;
constexpr std::string_view kDrawTable = "当選データ";

std::string quote(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

const std::string& allDraws() {
    static const std::string name = quote(kAllDrawsQuery);
    return name;
}

const std::string& drawNumber() {
    static const std::string name = quote(kDrawNumberColumn);
    return name;
}

std::string columnList(std::string_view prefix = "") {
    std::string list = std::string(prefix) + drawNumber();
    for (std::string_view column : kNumberColumns)
        list += ", " + std::string(prefix) + quote(column);
    return list;
}

std::string whereDraw() {
    return " WHERE " + drawNumber() + " = ?1";
}

} // namespace

std::string createSchema() {
    const std::string table = quote(kDrawTable);
    const std::string& view = allDraws();
    const std::string& key = drawNumber();

    std::string sql = "CREATE TABLE " + table + " (\n  " + key + " INTEGER PRIMARY KEY NOT NULL CHECK (" +
                      key + " BETWEEN " + std::to_string(kLowestDrawNumber) + " AND " +
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

std::string_view selectSchema() {
    return "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name";
}

std::string_view selectApplicationId() {
    return "PRAGMA application_id";
}

std::string_view selectJournalMode() {
    return "PRAGMA journal_mode";
}

std::string countDraws() {
    return "SELECT count(*) FROM " + allDraws();
}

std::string selectDraw() {
    return "SELECT " + columnList() + " FROM " + allDraws() + whereDraw();
}

std::string selectHighestDrawNumber() {
    return "SELECT max(" + drawNumber() + ") FROM " + allDraws();
}

std::string insertDraw() {
    std::string sql = "INSERT INTO " + allDraws() + " (" + columnList() + ") VALUES (?1";
    for (int i = 0; i < kBallCount; ++i)
        sql += ", ?" + std::to_string(i + 2);
    return sql + ")";
}

std::string updateDraw() {
    std::string sql = "UPDATE " + allDraws() + " SET ";
    for (int i = 0; i < kBallCount; ++i)
        sql += (i ? ", " : "") + quote(kNumberColumns[std::size_t(i)]) + " = ?" + std::to_string(i + 2);
    return sql + whereDraw();
}

std::string updateNumber(int index) {
    return "UPDATE " + allDraws() + " SET " + quote(kNumberColumns[std::size_t(index)]) + " = ?2" +
           whereDraw();
}

std::string deleteDraw() {
    return "DELETE FROM " + allDraws() + whereDraw();
}

std::string deleteAllDraws() {
    return "DELETE FROM " + allDraws();
}

} // namespace kazutama::sql
