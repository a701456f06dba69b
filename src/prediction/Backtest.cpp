#include "prediction/Backtest.h"

#include "prediction/PredictionEngine.h"
#include "prediction/PredictionShift.h"
#include "prediction/PredictionWindow.h"

#include <algorithm>
#include <bit>
#include <charconv>

namespace kazutama {

namespace {

std::vector<int> numbersOf(const CycleRowTexts& row) {
    std::vector<int> numbers;
    for (const std::string& text : row) {
        int n = 0;
        if (!text.empty() && std::from_chars(text.data(), text.data() + text.size(), n).ec == std::errc())
            numbers.push_back(n);
    }
    return numbers;
}

void count(MethodSummary& summary, const MethodOutcome& outcome) {
    const int size = int(outcome.numbers.size());
    if (size == 0)
        return;
    ++summary.draws;
    ++summary.hits[std::size_t(outcome.mainHits)];
    for (int hits = 0; hits <= kMainCount; ++hits)
        summary.expectedHits[std::size_t(hits)] += mainHitChance(size, hits);
    summary.bonusHits += outcome.bonusHit;
    summary.expectedBonusHits += bonusHitChance(size);
    summary.meanHits += outcome.mainHits;
    summary.expectedMeanHits += double(size) * kMainCount / kHighestNumber;
    if (size != kMainCount)
        return;
    ++summary.tickets;
    if (outcome.tier > 0)
        ++summary.tiers[std::size_t(outcome.tier)];
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        summary.expectedTiers[std::size_t(tier)] += prizeTierChance(tier);
}

void finish(MethodSummary& summary) {
    if (summary.draws == 0)
        return;
    summary.meanHits /= summary.draws;
    summary.expectedMeanHits /= summary.draws;
}

} // namespace

MethodOutcome judgePick(std::vector<int> numbers, const DrawRecord& draw) {
    MethodOutcome outcome;
    outcome.numbers = std::move(numbers);
    for (const int n : outcome.numbers) {
        for (int position = 1; position <= kBallCount; ++position) {
            if (draw.ball(position) != n)
                continue;
            if (position <= kMainCount)
                ++outcome.mainHits;
            else
                outcome.bonusHit = true;
        }
    }
    if (int(outcome.numbers.size()) == kMainCount)
        outcome.tier = prizeTier(outcome.mainHits, outcome.bonusHit);
    return outcome;
}

BacktestResult runBacktest(const DrawHistory& history, const AnalysisOptions& options) {
    BacktestResult result;
    result.options = options;
    result.shift = computePredictionShift(options);
    // The tables grow draw by draw, so before each draw is added they hold exactly the history before it.
    PredictionEngine engine;
    engine.begin(history);
    int previous = 0;
    for (const DrawRecord& record : history) {
        if (!engine.accepts(record))
            continue;
        if (previous > 0) {
            engine.setLatestDrawNumber(previous);
            BacktestDraw tested;
            tested.draw = record.drawNumber;
            tested.latest = previous;
            tested.drawn = record.numbers;
            tested.prediction = engine.run(options);
            for (int row = 0; row < kCycleRowCount; ++row)
                tested.outcomes[std::size_t(row)] = judgePick(numbersOf(tested.prediction.cycleRows[std::size_t(row)]), record);
            tested.outcomes[kEliminationMethod] = judgePick(tested.prediction.elimination, record);
            tested.outcomes[kMultipleMethod] = judgePick(tested.prediction.multiple, record);
            tested.outcomes[kOneShotMethod] = judgePick(tested.prediction.oneShot, record);
            for (int method = 0; method < kBacktestMethodCount; ++method)
                count(result.methods[std::size_t(method)], tested.outcomes[std::size_t(method)]);
            result.draws.push_back(std::move(tested));
        }
        engine.add(record);
        previous = record.drawNumber;
    }
    for (MethodSummary& summary : result.methods)
        finish(summary);
    return result;
}

std::vector<std::pair<int, AnalysisOptions>> reachableShifts() {
    constexpr unsigned kSets = 1u << kAnalysisOptionCount;
    // The fewest options, then the earliest: option 0 is the lowest bit, so reversing the bits orders
    // sets of one size by their first option.
    const auto better = [](unsigned a, unsigned b) {
        if (std::popcount(a) != std::popcount(b))
            return std::popcount(a) < std::popcount(b);
        for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
            if (((a >> option) & 1u) != ((b >> option) & 1u))
                return ((a >> option) & 1u) != 0;
        return false;
    };
    std::vector<std::optional<unsigned>> best;
    for (unsigned set = 0; set < kSets; ++set) {
        int shift = 0;
        for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
            if ((set >> option) & 1u)
                shift += kPredictionShiftWeights[option];
        if (best.size() <= std::size_t(shift))
            best.resize(std::size_t(shift) + 1);
        if (!best[std::size_t(shift)] || better(set, *best[std::size_t(shift)]))
            best[std::size_t(shift)] = set;
    }
    std::vector<std::pair<int, AnalysisOptions>> shifts;
    for (std::size_t shift = 0; shift < best.size(); ++shift) {
        if (!best[shift])
            continue;
        AnalysisOptions options;
        for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
            options[option] = (*best[shift] >> option) & 1u;
        shifts.emplace_back(int(shift), options);
    }
    return shifts;
}

std::vector<SweepRow> runShiftSweep(const DrawHistory& history) {
    // Elimination and the window read only draws at least four before the latest, which the whole
    // history's table holds just as the cut one does: one filling serves every shift.
    PredictionEngine engine;
    engine.begin(history);
    std::vector<const DrawRecord*> usable;
    for (const DrawRecord& record : history)
        if (engine.add(record))
            usable.push_back(&record);

    std::vector<SweepRow> rows;
    for (const auto& [shift, example] : reachableShifts()) {
        SweepRow row{shift, example, {}, {}};
        for (std::size_t i = 1; i < usable.size(); ++i) {
            const PredictionWindow window(usable[i - 1]->drawNumber, shift);
            std::vector<int> multiple = window.candidates(engine.drawTable(), kMultiplePredictionSize);
            std::vector<int> oneShot(multiple.begin(),
                                     multiple.begin() + std::min<std::ptrdiff_t>(kOneShotPredictionSize,
                                                                                 std::ssize(multiple)));
            count(row.oneShot, judgePick(std::move(oneShot), *usable[i]));
            count(row.multiple, judgePick(std::move(multiple), *usable[i]));
        }
        finish(row.oneShot);
        finish(row.multiple);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace kazutama
