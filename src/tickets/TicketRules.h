#pragma once

#include "common/Result.h"
#include "prediction/Odds.h"
#include "store/DrawHistory.h"
#include "store/Ticket.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kazutama {

// A ticket as the user gave it, checked: seven distinct numbers 1..37 (returned ascending), first and last
// draws 1..32760 with the last not before the first, a memo of at most 100 characters on one line.
Result<Ticket> checkedTicket(std::vector<int> numbers, int firstDraw, int lastDraw, std::string memo);

// How a ticket did in one draw of its range.
struct TicketDraw {
    int drawNumber = 0;
    std::optional<DrawRecord> draw; // nothing while the draw is not entered completely (未抽選)
    int mainHits = 0;
    int bonusHits = 0;
    int tier = 0; // 1..6, 0 for no prize
    bool pending() const { return !draw; }
};

struct TicketResult {
    std::vector<TicketDraw> draws;                     // every draw of the range, in order
    std::array<int, kPrizeTierCount + 1> tierCounts{}; // by tier 1..6; index 0 the drawn draws with no prize
    int pending = 0;
};

TicketResult ticketResult(const Ticket& ticket, const DrawHistory& history);

// The draws a ticket covers that `before` did not have complete and `after` has: the winners to tell the
// user of when the entry view closes or an import ends. One line per such draw of every ticket:
// "第696回: 購入数字3 … 5等（本数字4個一致）" (or "はずれ（本数字2個一致）").
std::vector<std::string> newlyDrawnResults(const std::vector<Ticket>& tickets, const DrawHistory& before,
                                           const DrawHistory& after);

// "1等" … "6等", "はずれ".
std::string tierName(int tier);

} // namespace kazutama
