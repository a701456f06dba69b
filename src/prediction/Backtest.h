#pragma once

#include "prediction/CycleTable.h"
#include "prediction/Odds.h"
#include "prediction/PredictionRun.h"
#include "settings/AnalysisOptions.h"
#include "store/DrawHistory.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace kazutama {

// The seven pick methods the prediction view shows: the four cycle rows, then the elimination numbers,
// the multiple and the one-shot prediction.
inline constexpr int kBacktestMethodCount = kCycleRowCount + 3;
inline constexpr int kEliminationMethod = kCycleRowCount;
inline constexpr int kMultipleMethod = kCycleRowCount + 1;
inline constexpr int kOneShotMethod = kCycleRowCount + 2;
inline constexpr std::array<std::string_view, kBacktestMethodCount> kBacktestMethodNames = {
    " 7回周期法", " 9回周期法", "11回周期法", "12回周期法", "消去法", "連発予想", "１発予想"};

// How one method's pick fared against one draw.
struct MethodOutcome {
    std::vector<int> numbers; // the pick, in the order the view shows it
    int mainHits = 0;         // how many of the draw's seven main numbers it holds
    bool bonusHit = false;    // whether it holds a bonus number
    int tier = 0;             // the prize of a ticket, 0 for none, for a pool or for a pick of another size
};

// The methods whose seven numbers are meant as a ticket: the cycle rows and the one-shot prediction.
constexpr bool isTicketMethod(int method) {
    return method < kCycleRowCount || method == kOneShotMethod;
}

// A pick against a draw.
MethodOutcome judgePick(std::vector<int> numbers, const DrawRecord& draw);

// One tested draw: the prediction made when the draw before it was the latest, and how each method fared.
struct BacktestDraw {
    int draw = 0;
    int latest = 0; // the last complete draw before it: the LatestDrawNumber of that prediction
    std::array<int, 9> drawn{};
    PredictionRun prediction;
    std::array<MethodOutcome, kBacktestMethodCount> outcomes;
};

// One method over all tested draws, beside what a random pick of the same size would have done.
struct MethodSummary {
    int draws = 0;             // tested draws where the method picked anything
    std::array<int, 8> hits{}; // draws by main numbers hit, 0..7
    std::array<double, 8> expectedHits{};
    int bonusHits = 0;
    double expectedBonusHits = 0;
    double meanHits = 0, expectedMeanHits = 0;
    int tickets = 0; // seven-number picks of a ticket method, the ones that can win a prize
    std::array<int, kPrizeTierCount + 1> tiers{}; // [1..6]
    std::array<double, kPrizeTierCount + 1> expectedTiers{};
};

struct BacktestResult {
    AnalysisOptions options;
    int shift = 0;
    std::vector<BacktestDraw> draws; // ascending
    std::array<MethodSummary, kBacktestMethodCount> methods;
};

// Every complete draw after the first, predicted from the history before it with `options`, exactly as the
// prediction view would have shown it then; one walk through the history.
BacktestResult runBacktest(const DrawHistory& history, const AnalysisOptions& options);

// The one-shot and multiple predictions at one shift, over every tested draw.
struct SweepRow {
    int shift = 0;
    AnalysisOptions example; // one set of options that gives the shift
    MethodSummary oneShot;
    MethodSummary multiple;
};
// One row per distinct shift the twelve options can give, ascending.
std::vector<SweepRow> runShiftSweep(const DrawHistory& history);

// Every shift some set of options gives, with one such set (the one that reflects the fewest, then the
// earliest options), ascending.
std::vector<std::pair<int, AnalysisOptions>> reachableShifts();

} // namespace kazutama
