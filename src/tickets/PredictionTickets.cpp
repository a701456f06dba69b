#include "tickets/PredictionTickets.h"

#include "tickets/TicketRules.h"

#include <string_view>

namespace kazutama {

std::vector<PredictedNumbers> oneShotNumbers(const PredictionRun& run) {
    if (run.oneShot.size() != std::size_t(kMainCount))
        return {};
    return {{run.oneShot, "一発Kazutama予想"}};
}

std::vector<PredictedNumbers> completeCycleRows(const PredictionEngine& engine) {
    std::vector<PredictedNumbers> rows;
    for (int row = 0; row < kCycleRowCount; ++row) {
        std::vector<int> numbers = engine.cycleTable().shownNumbers(row);
        if (numbers.size() != std::size_t(kMainCount))
            continue;
        std::string_view label = kCycleLabels[std::size_t(row)];
        label.remove_prefix(label.find_first_not_of(' '));
        rows.push_back({std::move(numbers), "周期表 " + std::string(label)});
    }
    return rows;
}

Result<std::vector<Ticket>> predictionTickets(const std::vector<PredictedNumbers>& numbers, int firstDraw,
                                              int lastDraw) {
    std::vector<Ticket> tickets;
    for (const PredictedNumbers& predicted : numbers) {
        auto ticket = checkedTicket(predicted.numbers, firstDraw, lastDraw, predicted.memo);
        if (!ticket)
            return ticket.error();
        tickets.push_back(std::move(ticket).value());
    }
    return tickets;
}

} // namespace kazutama
