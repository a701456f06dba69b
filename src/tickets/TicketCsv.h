#pragma once

#include "common/Result.h"
#include "store/Ticket.h"

#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// Tickets as CSV: the header line below, then one line per ticket. On reading, the id column may be
// empty or missing (the database gives new ids); the whole file is checked first and any bad line rejects
// it, the message naming the line and the reason.
inline constexpr std::string_view kTicketCsvHeader =
    "番号,数字1,数字2,数字3,数字4,数字5,数字6,数字7,開始回,終了回,メモ";

std::string formatTicketCsv(const std::vector<Ticket>& tickets);
Result<std::vector<Ticket>> parseTicketCsv(std::string_view bytes);

} // namespace kazutama
