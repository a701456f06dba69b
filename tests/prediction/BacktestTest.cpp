#include "prediction/Backtest.h"

#include "prediction/PredictionEngine.h"
#include "prediction/PredictionShift.h"
#include "store/HistoryCsv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <set>

namespace kazutama {
namespace {

// A random history with draws missing and draws not complete, as a real one may have.
DrawHistory gappyHistory(int count, unsigned seed) {
    std::vector<DrawRecord> records;
    for (DrawRecord record : test::makeRandomHistory(count, seed)) {
        if (record.drawNumber % 23 == 5)
            continue;
        if (record.drawNumber % 31 == 7)
            record.numbers[std::size_t(record.drawNumber % 9)] = kNoNumber;
        records.push_back(record);
    }
    return test::historyOf(records);
}

DrawHistory cutBefore(const DrawHistory& history, int draw) {
    std::vector<DrawRecord> records;
    for (const DrawRecord& record : history)
        if (record.drawNumber < draw)
            records.push_back(record);
    return test::historyOf(records);
}

AnalysisOptions optionsOf(std::initializer_list<int> reflected) {
    AnalysisOptions options;
    for (int option : reflected)
        options[std::size_t(option)] = true;
    return options;
}

// Each tested draw carries what the prediction view shows when the history ends just before it.
TEST(BacktestTest, EachDrawIsPredictedFromTheHistoryBeforeIt) {
    auto sample = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    ASSERT_TRUE(sample.ok());
    const struct {
        const char* name;
        DrawHistory history;
        AnalysisOptions options;
        int every; // test every n-th draw against a fresh cut
    } cases[] = {
        {"random, options off", gappyHistory(400, 5), {}, 1},
        {"random, shift 15 + 9 + 3", gappyHistory(300, 6), optionsOf({1, 3, 11}), 1},
        {"sample, all options", test::historyOf(sample.value()),
         optionsOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), 7},
        {"empty", DrawHistory(), {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BacktestResult result = runBacktest(c.history, c.options);
        int complete = 0;
        for (const DrawRecord& record : c.history)
            complete += record.isComplete();
        ASSERT_EQ(result.draws.size(), std::size_t(std::max(complete - 1, 0)));
        for (std::size_t i = 0; i < result.draws.size(); i += std::size_t(c.every)) {
            const BacktestDraw& tested = result.draws[i];
            const Snapshot before(cutBefore(c.history, tested.draw));
            PredictionEngine engine;
            engine.fillTables(before);
            const PredictionRun expected = engine.run(c.options);
            ASSERT_EQ(tested.latest, before.summary().latestDrawNumber);
            ASSERT_EQ(tested.prediction.cycleRows, expected.cycleRows) << "draw " << tested.draw;
            ASSERT_EQ(tested.prediction.shift, expected.shift);
            ASSERT_EQ(tested.prediction.elimination, expected.elimination) << "draw " << tested.draw;
            ASSERT_EQ(tested.prediction.multiple, expected.multiple) << "draw " << tested.draw;
            ASSERT_EQ(tested.prediction.oneShot, expected.oneShot) << "draw " << tested.draw;
        }
    }
}

TEST(BacktestTest, HitsAndPrizeTiers) {
    const DrawRecord draw{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}; // main 1..7, bonus 8 and 9
    const struct {
        std::vector<int> pick;
        int mainHits;
        bool bonusHit;
        int tier;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6, 7}, 7, false, 1},
        {{7, 6, 5, 4, 3, 2, 8}, 6, true, 2},
        {{1, 2, 3, 4, 5, 6, 9}, 6, true, 2},
        {{1, 2, 3, 4, 5, 6, 30}, 6, false, 3},
        {{1, 2, 3, 4, 5, 8, 9}, 5, true, 4},
        {{1, 2, 3, 4, 30, 31, 32}, 4, false, 5},
        {{1, 2, 3, 8, 30, 31, 32}, 3, true, 6},
        {{1, 2, 3, 30, 31, 32, 33}, 3, false, 0},
        {{1, 2, 8, 9, 30, 31, 32}, 2, true, 0},
        // A pick of another size wins nothing, whatever it holds.
        {{1, 2, 3, 4, 5, 6, 7, 8}, 7, true, 0},
        {{1, 2, 3}, 3, false, 0},
        {{}, 0, false, 0},
    };
    for (const auto& c : cases) {
        const MethodOutcome outcome = judgePick(c.pick, draw);
        EXPECT_EQ(outcome.mainHits, c.mainHits) << c.pick.size() << " numbers, tier " << c.tier;
        EXPECT_EQ(outcome.bonusHit, c.bonusHit) << c.pick.size() << " numbers, tier " << c.tier;
        EXPECT_EQ(outcome.tier, c.tier) << c.pick.size() << " numbers, tier " << c.tier;
    }
}

TEST(BacktestTest, ChancesAreExactCombinatorics) {
    const double c37_7 = 10295472.0; // C(37, 7)
    EXPECT_DOUBLE_EQ(binomial(37, 7), c37_7);
    EXPECT_DOUBLE_EQ(mainHitChance(7, 7), 1 / c37_7);
    EXPECT_DOUBLE_EQ(prizeTierChance(1), 1 / c37_7);
    EXPECT_DOUBLE_EQ(prizeTierChance(2), 7 * 2 / c37_7);  // six of seven main, one of two bonus
    EXPECT_DOUBLE_EQ(prizeTierChance(3), 7 * 28 / c37_7); // six main and one of the 28 others
    EXPECT_DOUBLE_EQ(prizeTierChance(6), 35 * (binomial(30, 4) - binomial(28, 4)) / c37_7);
    EXPECT_DOUBLE_EQ(bonusHitChance(7), 1 - binomial(35, 7) / c37_7);
    for (int size : {1, 7, 14, 21}) {
        double total = 0, mean = 0;
        for (int hits = 0; hits <= 7; ++hits) {
            total += mainHitChance(size, hits);
            mean += hits * mainHitChance(size, hits);
        }
        EXPECT_NEAR(total, 1, 1e-12) << size;
        EXPECT_NEAR(mean, size * 7.0 / 37, 1e-12) << size;
    }
}

// The sweep has a row for every subset sum of the weights, an example that gives it, and at shift 0 the
// numbers of the backtest with every option off.
TEST(BacktestTest, SweepCoversEverySubsetSumOfTheWeights) {
    std::set<int> sums{0};
    for (const int weight : kPredictionShiftWeights) {
        std::set<int> more = sums;
        for (const int sum : sums)
            more.insert(sum + weight);
        sums = std::move(more);
    }
    const DrawHistory history = gappyHistory(200, 9);
    const std::vector<SweepRow> rows = runShiftSweep(history);
    std::vector<int> shifts;
    for (const SweepRow& row : rows) {
        shifts.push_back(row.shift);
        EXPECT_EQ(computePredictionShift(row.example), row.shift);
    }
    EXPECT_EQ(shifts, std::vector<int>(sums.begin(), sums.end()));

    const BacktestResult off = runBacktest(history, {});
    ASSERT_EQ(rows.front().shift, 0);
    for (const auto& [swept, tested] : {std::pair{rows.front().oneShot, off.methods[kOneShotMethod]},
                                        std::pair{rows.front().multiple, off.methods[kMultipleMethod]}}) {
        EXPECT_EQ(swept.hits, tested.hits);
        EXPECT_EQ(swept.tiers, tested.tiers);
        EXPECT_DOUBLE_EQ(swept.meanHits, tested.meanHits);
    }
}

} // namespace
} // namespace kazutama
