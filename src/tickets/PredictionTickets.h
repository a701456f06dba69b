#pragma once

#include "common/Result.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionRun.h"
#include "store/Ticket.h"

#include <string>
#include <vector>

namespace kazutama {

// Numbers the prediction view offers to keep as a ticket, with the memo the ticket gets.
struct PredictedNumbers {
    std::vector<int> numbers; // seven, in the order the view shows them
    std::string memo;
};

// The one-shot prediction of `run` ("一発Kazutama予想"), when it has seven numbers.
std::vector<PredictedNumbers> oneShotNumbers(const PredictionRun& run);
// Every cycle row of the engine's table with all seven positions filled ("周期表 7回周期法", ...).
std::vector<PredictedNumbers> completeCycleRows(const PredictionEngine& engine);

// The tickets for `numbers`, each for every draw from `firstDraw` to `lastDraw`, checked as typed tickets
// are.
Result<std::vector<Ticket>> predictionTickets(const std::vector<PredictedNumbers>& numbers, int firstDraw,
                                              int lastDraw);

} // namespace kazutama
