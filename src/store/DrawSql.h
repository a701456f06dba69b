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

// The draw table, the saved query, its triggers and the file's marks.
std::string createSchema();
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

} // namespace sql

} // namespace kazutama
