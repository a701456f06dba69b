// Any bytes as a tickets file to import: it is accepted or a line is named, and an accepted file holds only
// tickets the database takes.

#include "tickets/TicketCsv.h"
#include "tickets/TicketRules.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto tickets =
        kazutama::parseTicketCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (tickets)
        for (const kazutama::Ticket& t : *tickets) {
            std::vector<int> numbers(t.numbers.begin(), t.numbers.end());
            if (!kazutama::checkedTicket(numbers, t.firstDraw, t.lastDraw, t.memo))
                __builtin_trap();
        }
    return 0;
}
