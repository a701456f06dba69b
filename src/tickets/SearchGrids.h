#pragma once

#include "grid/Colours.h"
#include "grid/LegendEntry.h"
#include "grid/ResultGrid.h"
#include "prediction/Odds.h"
#include "store/Snapshot.h"
#include "tickets/HistoryCheck.h"
#include "tickets/NumberSearch.h"
#include "tickets/TicketRules.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace kazutama {

// The tables and sentences of 数字検索 and 過去の全当選と照合, laid out like 予想検証's: pale pink heading
// rows in blue, thin lines, the draw numbers red on pale yellow and the main numbers on pale cyan.

// The date of a draw as the draw lists show it; empty where it is not known.
using DrawDateText = std::function<std::string(int drawNumber)>;
// The dates the windows' lists show: the snapshot's own, expected ones marked so (DrawDates::label). The
// snapshot must outlive the function.
inline DrawDateText drawDatesOf(const Snapshot& snapshot) {
    return [&dates = snapshot.dates()](int drawNumber) { return dates.label(drawNumber); };
}

// A list of draws, one per row: the draw, its date, its seven main numbers in ascending order and its two
// bonus numbers, the numbers searched for (or on the ticket) marked in the colours of kHitLegend.
namespace drawrows {
inline constexpr int kHeadingRows = 1;
inline constexpr int kDrawColumn = 1;
inline constexpr int kDateColumn = 2;
inline constexpr int kFirstMainColumn = 3;
inline constexpr int kFirstBonusColumn = kFirstMainColumn + kMainCount;
inline constexpr int kColumns = kFirstBonusColumn + 1; // 数字検索's table ends with the second bonus number
// 過去の全当選と照合's list of its best draws goes on with the ticket's hits and prize.
inline constexpr int kMainHitsColumn = kColumns + 1;
inline constexpr int kBonusHitsColumn = kColumns + 2;
inline constexpr int kTierColumn = kColumns + 3;
inline constexpr int kBestColumns = kTierColumn;
} // namespace drawrows

// The marks of a number that a draw holds: as a main number, as its first or second bonus number.
inline constexpr LegendEntry kHitLegend[] = {
    {LegendEntry::Mark::Swatch, colours::kMainNumberDot, "：本数字"},
    {LegendEntry::Mark::Swatch, colours::kFirstBonusDot, "：ボーナス数字1"},
    {LegendEntry::Mark::Swatch, colours::kSecondBonusDot, "：ボーナス数字2"},
};

ResultGrid numberSearchGrid(const NumberSearch& search, const DrawDateText& dateOf = {});
// "9 個の数字がそろった 695 回（第1回～第695回）のうち、…を含む回は 28 回でした。偶然だけでも平均 27.6 回…"
std::string numberSearchSentence(const NumberSearch& search, const DrawHistory& history);

// The prize tiers 1等..6等 and はずれ (no prize), one per row: what wins it, how many draws the ticket won it
// in and how many a random ticket wins it in on average.
namespace tiergrid {
inline constexpr int kHeadingRows = 1;
inline constexpr int kConditionColumn = 2;
inline constexpr int kCountColumn = 3;
inline constexpr int kExpectedColumn = 4;
inline constexpr int kColumns = 4;
// The row of tier 1..6, and of no prize (0) last.
constexpr int row(int tier) {
    return kHeadingRows + (tier == 0 ? kPrizeTierCount + 1 : tier);
}
} // namespace tiergrid
// The main hits 0..7, one per row, likewise.
namespace hitgrid {
inline constexpr int kHeadingRows = 1;
inline constexpr int kCountColumn = 2;
inline constexpr int kExpectedColumn = 3;
inline constexpr int kColumns = 3;
constexpr int row(int hits) {
    return kHeadingRows + 1 + hits;
}
} // namespace hitgrid

// What wins a tier 1..6, and 0: "はずれ".
std::string_view tierCondition(int tier);

ResultGrid historyTierGrid(const HistoryCheck& check);
ResultGrid historyHitGrid(const HistoryCheck& check);
ResultGrid historyBestGrid(const HistoryCheck& check, const DrawDateText& dateOf = {});
// "9 個の数字がそろった 695 回（第1回～第695回）と照合しました。いちばんよい結果は…"
std::string historyCheckSentence(const HistoryCheck& check, const DrawHistory& history);

// 購入数字の照合's list of the tickets, one per row: its id, numbers, draws, the draws it won each tier in so
// far, the draws still to come and its memo.
namespace ticketlist {
inline constexpr int kHeadingRows = 1;
inline constexpr int kIdColumn = 1;
inline constexpr int kFirstNumberColumn = 2;
inline constexpr int kFirstDrawColumn = kFirstNumberColumn + kMainCount;
inline constexpr int kLastDrawColumn = kFirstDrawColumn + 1;
inline constexpr int kFirstTierColumn = kLastDrawColumn + 1; // 1等 .. 6等
inline constexpr int kPendingColumn = kFirstTierColumn + kPrizeTierCount;
inline constexpr int kMemoColumn = kPendingColumn + 1;
inline constexpr int kColumns = kMemoColumn;
} // namespace ticketlist
ResultGrid ticketListGrid(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results);
// One row per draw of the ticket's range, as historyBestGrid's rows; a draw not entered completely yet
// shows "未抽選".
ResultGrid ticketDrawsGrid(const Ticket& ticket, const TicketResult& result, const DrawDateText& dateOf = {});
// The ticket's tiers over its drawn draws beside a random ticket's over as many, for historyTierGrid.
HistoryCheck ticketTierCheck(const Ticket& ticket, const TicketResult& result);
// "第690回～第699回（抽選済み 6 回、未抽選 4 回）: 5等 1 回、6等 1 回。" and what chance alone gives.
std::string ticketSentence(const Ticket& ticket, const TicketResult& result);

} // namespace kazutama
