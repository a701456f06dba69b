#include "prediction/Backtest.h"

#include "prediction/DrawWindow.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionShift.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace kazutama {

namespace {

// The chances of a random pick by its size, worked out once: the sweep counts every tested draw at every
// shift, and working them out afresh each time was most of its time.
struct RandomPickChances {
    std::array<std::array<double, kMainCount + 1>, kHighestNumber + 1> mainHits{}; // [size][hits]
    std::array<double, kHighestNumber + 1> bonusHit{};
    std::array<double, kPrizeTierCount + 1> tiers{};
};

const RandomPickChances& randomPickChances() {
    static const RandomPickChances chances = [] {
        RandomPickChances made;
        for (int size = 0; size <= kHighestNumber; ++size) {
            for (int hits = 0; hits <= kMainCount; ++hits)
                made.mainHits[std::size_t(size)][std::size_t(hits)] = mainHitChance(size, hits);
            made.bonusHit[std::size_t(size)] = bonusHitChance(size);
        }
        for (int tier = 1; tier <= kPrizeTierCount; ++tier)
            made.tiers[std::size_t(tier)] = prizeTierChance(tier);
        return made;
    }();
    return chances;
}

// What the summaries need of one pick against one draw.
struct Score {
    int size = 0;
    int mainHits = 0;
    bool bonusHit = false;
    int tier = 0;
};

Score scoreOf(const MethodOutcome& outcome) {
    return {int(outcome.numbers.size()), outcome.mainHits, outcome.bonusHit, outcome.tier};
}

// Only a ticket (the one-shot prediction, a cycle row) can win a prize; a pool of candidates (the multiple
// prediction, the elimination numbers) is judged by its coverage alone, even when it happens to hold seven.
void count(MethodSummary& summary, const Score& score, bool ticket) {
    const int size = std::min(score.size, kHighestNumber);
    if (size == 0)
        return;
    const RandomPickChances& chances = randomPickChances();
    ++summary.draws;
    ++summary.hits[std::size_t(score.mainHits)];
    for (int hits = 0; hits <= kMainCount; ++hits)
        summary.expectedHits[std::size_t(hits)] += chances.mainHits[std::size_t(size)][std::size_t(hits)];
    summary.bonusHits += score.bonusHit;
    summary.expectedBonusHits += chances.bonusHit[std::size_t(size)];
    summary.meanHits += score.mainHits;
    summary.expectedMeanHits += double(size) * kMainCount / kHighestNumber;
    if (!ticket || size != kMainCount)
        return;
    ++summary.tickets;
    if (score.tier > 0)
        ++summary.tiers[std::size_t(score.tier)];
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        summary.expectedTiers[std::size_t(tier)] += chances.tiers[std::size_t(tier)];
}

// One complete draw as a look-up by number, for judging many picks (numbers 1..37) against it: how often
// each number stands among its main numbers, and whether among its bonus numbers.
struct DrawLookup {
    std::array<std::uint8_t, kHighestNumber + 1> main{};
    std::array<bool, kHighestNumber + 1> bonus{};

    explicit DrawLookup(const DrawRecord& draw) {
        for (int position = 1; position <= kBallCount; ++position) {
            const int n = draw.ball(position);
            if (position <= kMainCount)
                ++main[std::size_t(n)];
            else
                bonus[std::size_t(n)] = true;
        }
    }
    // The score of numbers[0..size). Seven numbers win the prize of a ticket holding them.
    Score score(const std::vector<int>& numbers, int size) const {
        Score score{size, 0, false, 0};
        for (int i = 0; i < size; ++i) {
            const int n = numbers[std::size_t(i)];
            score.mainHits += main[std::size_t(n)];
            score.bonusHit = score.bonusHit || bonus[std::size_t(n)];
        }
        if (size == kMainCount)
            score.tier = prizeTier(score.mainHits, score.bonusHit);
        return score;
    }
    MethodOutcome judge(std::vector<int> numbers) const {
        const Score scored = score(numbers, int(numbers.size()));
        return {std::move(numbers), scored.mainHits, scored.bonusHit, scored.tier};
    }
    // A pool of candidates wins no prize, even when it happens to hold seven.
    MethodOutcome judgePool(std::vector<int> numbers) const {
        MethodOutcome outcome = judge(std::move(numbers));
        outcome.tier = 0;
        return outcome;
    }
};

void finish(MethodSummary& summary) {
    if (summary.draws == 0)
        return;
    summary.meanHits /= summary.draws;
    summary.expectedMeanHits /= summary.draws;
}

} // namespace

MethodOutcome judgePick(std::vector<int> numbers, const DrawRecord& draw) {
    return DrawLookup(draw).judge(std::move(numbers));
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
        if (!record.isComplete())
            continue;
        if (previous > 0) {
            engine.setLatestDrawNumber(previous);
            BacktestDraw tested;
            tested.draw = record.drawNumber;
            tested.latest = previous;
            tested.drawn = record.numbers;
            tested.prediction = engine.run(options);
            const DrawLookup drawn(record);
            for (int row = 0; row < kCycleRowCount; ++row)
                tested.outcomes[std::size_t(row)] = drawn.judge(engine.cycleTable().shownNumbers(row));
            tested.outcomes[kEliminationMethod] = drawn.judgePool(tested.prediction.elimination);
            tested.outcomes[kMultipleMethod] = drawn.judgePool(tested.prediction.multiple);
            tested.outcomes[kOneShotMethod] = drawn.judge(tested.prediction.oneShot);
            for (int method = 0; method < kBacktestMethodCount; ++method)
                count(result.methods[std::size_t(method)], scoreOf(tested.outcomes[std::size_t(method)]),
                      isTicketMethod(method));
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

    // Draw by draw, every shift at once, so each draw is turned into a look-up once; the one-shot
    // prediction is the first seven of the multiple one, so one window scan serves both.
    std::vector<SweepRow> rows;
    for (const auto& [shift, example] : reachableShifts())
        rows.push_back({shift, example, {}, {}});
    for (std::size_t i = 1; i < usable.size(); ++i) {
        const DrawLookup drawn(*usable[i]);
        for (SweepRow& row : rows) {
            const DrawWindow window(usable[i - 1]->drawNumber, row.shift);
            const std::vector<int> multiple = window.candidates(engine.drawTable(), kMultiplePredictionSize);
            count(row.oneShot, drawn.score(multiple, std::min(int(multiple.size()), kOneShotPredictionSize)),
                  true);
            count(row.multiple, drawn.score(multiple, int(multiple.size())), false);
        }
    }
    for (SweepRow& row : rows) {
        finish(row.oneShot);
        finish(row.multiple);
    }
    return rows;
}

} // namespace kazutama
