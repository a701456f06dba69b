#pragma once

#include <string>
#include <string_view>

namespace kazutama {

// The saved query every reader and writer goes through.
inline constexpr std::string_view kAllDrawsQuery = "全データ選択クエリ";
// The command text of the history snapshot.
inline constexpr std::string_view kHistoryCommandText = "select * from 全データ選択クエリ order by 回数";

// The SQL of the history database file, all in one place. Every statement on draws goes through the saved
// query; one that names a draw takes its draw number as ?1 and its numbers as ?2 to ?10, in the order of
// kNumberColumns.
namespace sql {

// Marks a file as a history database of this program (PRAGMA application_id, "KZTM").
inline constexpr int kApplicationId = 0x4B5A544D;

// The versions of the file (PRAGMA user_version): 1 holds the draws alone; 2 adds the tickets and the
// draw dates, in tables of their own, so the draw table and its saved query stay as version 1 made them.
// A file gains version 2 at its first write of a ticket or a date.
inline constexpr int kDrawsOnlyVersion = 1;
inline constexpr int kSchemaVersion = 2;
inline constexpr int kTicketMemoLength = 100; // characters

// The draw table, the saved query, its triggers and the file's marks: a new file, of version 1.
std::string createSchema();
// What version 2 adds to a file of version 1.
std::string createExtraTables();
std::string_view selectUserVersion();
// Every table, view, trigger and index of the file: type, name, table and SQL.
std::string_view selectSchema();
std::string_view selectApplicationId();
std::string_view selectJournalMode();

std::string countDraws();
// The draw number and the nine numbers of draw ?1.
std::string selectDraw();
std::string selectHighestDrawNumber();
std::string insertDraw();
std::string updateDraw();
// The number at `index` (0..8) of draw ?1 set to ?2.
std::string updateNumber(int index);
std::string deleteDraw();
std::string deleteAllDraws();

// Tickets: ?1 the id, ?2 to ?8 the numbers ascending, ?9 and ?10 the first and last draw, ?11 the memo.
std::string selectTickets();
std::string insertTicket(); // ?2 to ?11; the id is given by the table
std::string_view selectInsertedId();
std::string updateTicket();
std::string deleteTicket();
// Dates: ?1 the draw number, ?2 "YYYY-MM-DD".
std::string selectDates();
std::string storeDate();

} // namespace sql

} // namespace kazutama
