#pragma once

#include "common/Result.h"
#include "prediction/Odds.h"
#include "store/DrawHistory.h"

#include <array>
#include <string_view>
#include <vector>

namespace kazutama {

// 過去の全当選と照合: seven numbers against every complete draw of the history, beside what a random
// ticket of seven numbers gets from as many draws, exactly (the chances of Odds.h).
struct HistoryCheck {
    std::array<int, kMainCount> numbers{}; // ascending
    int completeDraws = 0;
    // By prize tier 1..6 (index 0: no prize), and by main hits 0..7: the draws counted and the mean count
    // for a random ticket.
    std::array<int, kPrizeTierCount + 1> tierCounts{};
    std::array<double, kPrizeTierCount + 1> tierExpected{};
    std::array<int, kMainCount + 1> mainHitCounts{};
    std::array<double, kMainCount + 1> mainHitExpected{};
    // The draws of the ticket's best result: its best prize tier, or with no prize its most main hits.
    std::vector<DrawRecord> bestDraws;
    int bestTier = 0;
    int bestMainHits = 0;
};

// How a ticket of seven numbers did in one draw: how many of its numbers are among the draw's main numbers
// and among its bonus numbers, and the prize tier (0: none). A number a mistyped draw holds twice counts
// once: the ticket holds it once.
struct TicketHits {
    int main = 0;
    int bonus = 0;
    int tier = 0;
};
TicketHits ticketHits(const std::array<int, kMainCount>& ticket, const DrawRecord& draw);

// What the messages call the numbers of the ticket.
inline constexpr std::string_view kCheckedNumbers = "照合する数字";

// What a random ticket wins over `draws` draws on average, by tier 1..6 (index 0: no prize).
std::array<double, kPrizeTierCount + 1> expectedTierCounts(int draws);

// The numbers are checked as typed (checkedNumbers): seven distinct numbers from 1 to 37.
Result<HistoryCheck> checkAgainstHistory(const DrawHistory& history, std::vector<int> numbers);

} // namespace kazutama
