#include "store/DrawSql.h"

#include "store/DrawRecord.h"

#include <array>

namespace kazutama::sql {

namespace {

constexpr std::string_view kDrawTable = "当選データ";
constexpr std::string_view kTicketTable = "購入数字";
constexpr std::string_view kTicketId = "番号";
constexpr std::array<std::string_view, kMainCount> kTicketNumbers = {"数字1", "数字2", "数字3", "数字4",
                                                                     "数字5", "数字6", "数字7"};
constexpr std::string_view kFirstDraw = "開始回";
constexpr std::string_view kLastDraw = "終了回";
constexpr std::string_view kMemo = "メモ";
constexpr std::string_view kDateTable = "抽選日";
constexpr std::string_view kDate = "日付";

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

std::string drawNumberCheck(const std::string& column) {
    return column + " BETWEEN " + std::to_string(kLowestDrawNumber) + " AND " +
           std::to_string(kHighestDrawNumber);
}

std::string ticketColumns() {
    std::string list = quote(kTicketId);
    for (std::string_view column : kTicketNumbers)
        list += ", " + quote(column);
    return list + ", " + quote(kFirstDraw) + ", " + quote(kLastDraw) + ", " + quote(kMemo);
}

std::string ticketValues(std::string_view separator) {
    std::string list;
    for (std::size_t i = 0; i < kTicketNumbers.size(); ++i)
        list +=
            (i ? ", " : "") + quote(kTicketNumbers[i]) + std::string(separator) + "?" + std::to_string(i + 2);
    return list + ", " + quote(kFirstDraw) + std::string(separator) + "?9, " + quote(kLastDraw) +
           std::string(separator) + "?10, " + quote(kMemo) + std::string(separator) + "?11";
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
    sql += "PRAGMA user_version = " + std::to_string(kDrawsOnlyVersion) + ";\n";
    return sql;
}

std::string createExtraTables() {
    // A ticket's seven numbers are kept ascending, so "distinct" is one chain of comparisons.
    std::string numbers;
    for (std::size_t i = 0; i < kTicketNumbers.size(); ++i) {
        const std::string c = quote(kTicketNumbers[i]);
        numbers += ",\n  " + c + " INTEGER NOT NULL CHECK (typeof(" + c + ") = 'integer' AND " + c +
                   " BETWEEN " + std::to_string(kLowestNumber) + " AND " + std::to_string(kHighestNumber) +
                   ")";
    }
    std::string ascending;
    for (std::size_t i = 1; i < kTicketNumbers.size(); ++i)
        ascending += (i > 1 ? " AND " : "") + quote(kTicketNumbers[i - 1]) + " < " + quote(kTicketNumbers[i]);
    const std::string first = quote(kFirstDraw), last = quote(kLastDraw), memo = quote(kMemo);
    std::string sql = "CREATE TABLE " + quote(kTicketTable) + " (\n  " + quote(kTicketId) +
                      " INTEGER PRIMARY KEY NOT NULL" + numbers + ",\n  " + first +
                      " INTEGER NOT NULL CHECK (typeof(" + first + ") = 'integer' AND " +
                      drawNumberCheck(first) + "),\n  " + last + " INTEGER NOT NULL CHECK (typeof(" + last +
                      ") = 'integer' AND " + drawNumberCheck(last) + "),\n  " + memo +
                      " TEXT NOT NULL DEFAULT '' CHECK (typeof(" + memo + ") = 'text' AND length(" + memo +
                      ") <= " + std::to_string(kTicketMemoLength) + "),\n  CHECK (" + ascending +
                      "),\n  CHECK (" + first + " <= " + last + ")\n);\n";
    const std::string key = drawNumber(), date = quote(kDate);
    sql += "CREATE TABLE " + quote(kDateTable) + " (\n  " + key + " INTEGER PRIMARY KEY NOT NULL CHECK (" +
           drawNumberCheck(key) + "),\n  " + date + " TEXT NOT NULL CHECK (" + date + " = date(" + date +
           "))\n);\n";
    sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";\n";
    return sql;
}

std::string_view selectUserVersion() {
    return "PRAGMA user_version";
}

std::string selectTickets() {
    return "SELECT " + ticketColumns() + " FROM " + quote(kTicketTable) + " ORDER BY " + quote(kTicketId);
}

std::string insertTicket() {
    std::string values = "?2";
    for (int i = 3; i <= 11; ++i)
        values += ", ?" + std::to_string(i);
    return "INSERT INTO " + quote(kTicketTable) + " (" + ticketColumns().substr(quote(kTicketId).size() + 2) +
           ") VALUES (" + values + ")";
}

std::string_view selectInsertedId() {
    return "SELECT last_insert_rowid()";
}

std::string updateTicket() {
    return "UPDATE " + quote(kTicketTable) + " SET " + ticketValues(" = ") + " WHERE " + quote(kTicketId) +
           " = ?1";
}

std::string deleteTicket() {
    return "DELETE FROM " + quote(kTicketTable) + " WHERE " + quote(kTicketId) + " = ?1";
}

std::string selectDates() {
    return "SELECT " + drawNumber() + ", " + quote(kDate) + " FROM " + quote(kDateTable) + " ORDER BY " +
           drawNumber();
}

std::string storeDate() {
    return "INSERT OR REPLACE INTO " + quote(kDateTable) + " (" + drawNumber() + ", " + quote(kDate) +
           ") VALUES (?1, ?2)";
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
