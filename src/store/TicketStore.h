#pragma once

#include "common/Result.h"
#include "store/DrawDates.h"
#include "store/DrawStore.h"
#include "store/Ticket.h"

#include <vector>

namespace kazutama {

// The tickets and the draw dates of a history file, in tables of their own beside the draws. A file that
// has never held either reads as having none; its first write adds the tables.
// Tickets are checked before they come here (tickets/TicketRules.h); the tables refuse anything else.

Result<std::vector<Ticket>> loadTickets(DrawStore& store); // by id
// Stores new tickets in one transaction; returns their ids in order.
Result<std::vector<int>> addTickets(DrawStore& store, const std::vector<Ticket>& tickets);
// Changes or deletes a stored ticket, but only while the database still holds exactly `expected` (as the
// caller read it); ChangedElsewhere (nothing written) when it does not, or the ticket is gone.
Result<DrawStore::WriteOutcome> updateTicket(DrawStore& store, const Ticket& expected, const Ticket& changed);
Result<DrawStore::WriteOutcome> deleteTicket(DrawStore& store, const Ticket& expected);

Result<DrawDates> loadDrawDates(DrawStore& store);
// Stores the dates that are new or differ from the stored ones; writes nothing (and makes no backup) when
// there are none. Returns how many it stored.
Result<int> storeDrawDates(DrawStore& store, const DrawDates& dates);

} // namespace kazutama
