#include "prediction/PredictionEngine.h"

#include "prediction/PredictionShift.h"
#include "store/StartupSummary.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace kazutama {
namespace {

using test::makeRandomHistory;

// Draws 1..count whose nine balls are the same filler numbers 21..29 everywhere (so they come back after
// one draw and record no cycle), with single balls overridden, draws dropped or left incomplete.
class HistoryBuilder {
public:
    explicit HistoryBuilder(int count) {
        for (int d = 1; d <= count; ++d)
            m_draws[d] = {21, 22, 23, 24, 25, 26, 27, 28, 29};
    }
    HistoryBuilder& set(int d, int position, int n) {
        m_draws[d][position - 1] = n;
        return *this;
    }
    // n at the same position of two draws.
    HistoryBuilder& twice(int first, int second, int position, int n) {
        return set(first, position, n).set(second, position, n);
    }
    HistoryBuilder& draw(int d, std::array<int, kBallCount> numbers) {
        m_draws[d] = numbers;
        return *this;
    }
    HistoryBuilder& drop(int d) {
        m_draws.erase(d);
        return *this;
    }
    DrawHistory build() const {
        std::vector<DrawRecord> records;
        for (const auto& [d, numbers] : m_draws)
            records.push_back(DrawRecord{d, numbers});
        return DrawHistory(std::move(records));
    }

private:
    std::map<int, std::array<int, kBallCount>> m_draws;
};

PredictionEngine filled(const DrawHistory& history) {
    PredictionEngine engine;
    engine.fillTables(history, computeStartupSummary(history).latestDrawNumber);
    return engine;
}

const CycleRowTexts kEmptyRow{};

// --- Fill tables and the cycle rows ---

TEST(PredictionEngineCycleTest, NumberBackAfterSevenDrawsIsRecordedAtItsPosition) {
    // A bonus appearance in between is no appearance: the gap stays 7.
    const auto history = HistoryBuilder(8).set(1, 3, 5).set(4, 8, 5).set(8, 3, 5).build();
    const auto rows = filled(history).cycleRows();
    EXPECT_EQ(rows[0], (CycleRowTexts{"", "", "5", "", "", "", ""}));
    EXPECT_EQ(rows[1], kEmptyRow);
    EXPECT_EQ(rows[2], kEmptyRow);
    EXPECT_EQ(rows[3], kEmptyRow);
}

TEST(PredictionEngineCycleTest, EachCycleLengthFillsItsOwnRow) {
    HistoryBuilder builder(13);
    builder.twice(1, 8, 1, 1).twice(1, 10, 2, 2).twice(1, 12, 4, 3).twice(1, 13, 7, 4);
    builder.twice(2, 12, 5, 6); // a gap of 10 is no cycle
    const auto history = builder.build();
    const auto rows = filled(history).cycleRows();
    EXPECT_EQ(rows[0], (CycleRowTexts{"1", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[1], (CycleRowTexts{"", "2", "", "", "", "", ""}));
    EXPECT_EQ(rows[2], (CycleRowTexts{"", "", "", "3", "", "", ""}));
    EXPECT_EQ(rows[3], (CycleRowTexts{"", "", "", "", "", "", "4"}));
}

TEST(PredictionEngineCycleTest, GapIsMeasuredFromTheNearestEarlierMainAppearance) {
    // 5 stands in draws 1 and 3: draw 10 is 7 after draw 3 (recorded), 9 after draw 1 (not).
    const auto history = HistoryBuilder(10).set(1, 2, 5).set(3, 6, 5).set(10, 2, 5).build();
    const auto rows = filled(history).cycleRows();
    EXPECT_EQ(rows[0], (CycleRowTexts{"", "5", "", "", "", "", ""}));
    EXPECT_EQ(rows[1], kEmptyRow);
}

TEST(PredictionEngineCycleTest, BonusBallsAreRecordedButNotShownAndBlockLaterPositions) {
    // Draw 8 brings 5 back 7 draws after draw 1, as first bonus number. Draw 20 brings it back 7 draws
    // after draw 13 (draw 8 held it only as a bonus) at position 2, but position 8 already holds it.
    const auto history = HistoryBuilder(20).set(1, 1, 5).set(8, 8, 5).set(13, 4, 5).set(20, 2, 5).build();
    const PredictionEngine engine = filled(history);
    EXPECT_EQ(engine.cycleTable().cell(0, 8), 5);
    EXPECT_EQ(engine.cycleTable().cell(0, 2), 0);
    EXPECT_EQ(engine.cycleRows()[0], kEmptyRow);
}

TEST(PredictionEngineCycleTest, NumberAlreadyInTheRowBlocksButALaterDifferentNumberReplaces) {
    const auto build = [](int count) {
        HistoryBuilder builder(count);
        builder.twice(1, 8, 3, 5); // position 3 = 5
        builder.set(15, 4, 5);     // back after 7 at position 4: blocked by position 3
        builder.twice(16, 23, 3, 9);
        return builder;
    };
    EXPECT_EQ(filled(build(23).build()).cycleRows()[0], (CycleRowTexts{"", "", "9", "", "", "", ""}));

    // With 5 no longer in the row it may stand at position 4 (draw 32 is 7 after draw 25).
    HistoryBuilder builder = build(32);
    builder.twice(25, 32, 4, 5);
    EXPECT_EQ(filled(builder.build()).cycleRows()[0], (CycleRowTexts{"", "", "9", "5", "", "", ""}));
}

TEST(PredictionEngineCycleTest, NumberNeverSeenBeforeAsMainNumberRecordsNothing) {
    // 5 stood only as second bonus number 7 draws before.
    // 6 was a main number in draw 1 and comes back as second bonus number in draw 8: recorded, not shown.
    const auto history = HistoryBuilder(8).set(1, 9, 5).set(8, 1, 5).set(8, 9, 6).set(1, 1, 6).build();
    const PredictionEngine engine = filled(history);
    EXPECT_EQ(engine.cycleRows()[0], kEmptyRow);
    EXPECT_EQ(engine.cycleTable().cell(0, 9), 6);
    EXPECT_EQ(engine.cycleTable().cell(0, 1), 0);
}

TEST(PredictionEngineCycleTest, IncompleteRecordsAreNeitherStoredNorEarlierAppearances) {
    HistoryBuilder builder(8);
    builder.draw(1, {5, 22, 23, 24, 25, 26, 27, 28, 0}).set(8, 1, 5);
    const PredictionEngine engine = filled(builder.build());
    EXPECT_EQ(engine.cycleRows()[0], kEmptyRow);
    for (int p = 1; p <= kBallCount; ++p)
        EXPECT_EQ(engine.drawTable().at(1, p), 0);

    // An incomplete draw 8 cannot come back either.
    HistoryBuilder other(8);
    other.set(1, 1, 5).draw(8, {5, 22, 23, 24, 25, 26, 0, 28, 29});
    EXPECT_EQ(filled(other.build()).cycleRows()[0], kEmptyRow);
}

TEST(PredictionEngineCycleTest, RefillingStartsFromAnEmptyCycleTable) {
    const auto a = makeRandomHistory(300, 1);
    const auto b = makeRandomHistory(200, 2);
    PredictionEngine engine;
    engine.fillTables(a, 300);
    const CycleTable first = engine.cycleTable();
    const auto firstRun = engine.run(AnalysisOptions{});
    engine.fillTables(b, 200);
    ASSERT_NE(engine.cycleTable(), first);
    engine.fillTables(a, 300);
    EXPECT_EQ(engine.cycleTable(), first);
    const auto again = engine.run(AnalysisOptions{});
    EXPECT_EQ(again.cycleRows, firstRun.cycleRows);
    EXPECT_EQ(again.elimination, firstRun.elimination);
    EXPECT_EQ(again.multiple, firstRun.multiple);

    // A history in which nothing comes back after a cycle length leaves every row empty.
    engine.fillTables(HistoryBuilder(5).build(), 5);
    EXPECT_EQ(engine.cycleTable(), CycleTable{});
}

TEST(PredictionEngineCycleTest, DrawNumbersBeyondTheOldFiveThousandLimitAreStored) {
    HistoryBuilder builder(0);
    builder.draw(30000, {1, 2, 3, 4, 5, 6, 7, 8, 9}).draw(30007, {10, 11, 12, 13, 14, 15, 7, 16, 17});
    const PredictionEngine engine = filled(builder.build());
    EXPECT_EQ(engine.drawTable().at(30007, 7), 7);
    EXPECT_EQ(engine.cycleRows()[0], (CycleRowTexts{"", "", "", "", "", "", "7"}));
}

// --- Elimination ---

TEST(PredictionEngineEliminationTest, ReadsTheRecipeDrawsAndWraps) {
    // Latest 20: entry 0 reads draw 16 position 1 (+22), entry 5 draw 8 position 6 (+1),
    // entry 7 draw 15 position 1 (+22), entry 4 draw 11 position 5 (+32).
    const auto history = HistoryBuilder(20).set(16, 1, 37).set(8, 6, 36).set(15, 1, 16).set(11, 5, 5).build();
    const auto list = filled(history).eliminationList(0);
    EXPECT_EQ(list[0], 22);            // 59 wraps
    EXPECT_EQ(list[5], 37);            // 37 stays
    EXPECT_EQ(list[7], 1);             // 38 wraps
    EXPECT_EQ(list[4], 37);            // 5 + 32
    EXPECT_EQ(list[20], 27 + 12 - 37); // draw 3 position 7 holds the filler 27
}

TEST(PredictionEngineEliminationTest, MissingDrawReadsAsZeroPlusTheAddedValue) {
    const auto history = HistoryBuilder(20).drop(16).build();
    const auto list = filled(history).eliminationList(0);
    EXPECT_EQ(list[0], 22);
    EXPECT_EQ(list[7], wrapNumber(21 + 22)); // draw 15 is stored

    // An incomplete draw counts as missing.
    HistoryBuilder incomplete(20);
    incomplete.draw(16, {10, 22, 23, 24, 25, 26, 27, 0, 29});
    EXPECT_EQ(filled(incomplete.build()).eliminationList(0)[0], 22);
}

TEST(PredictionEngineEliminationTest, DuplicatesKeepTheFirstAndLaterNumbersMoveUp) {
    // Entries 0 and 7 read position 1 of draws 16 and 15 with the same added value.
    const auto history = HistoryBuilder(20).set(16, 1, 3).set(15, 1, 3).build();
    const PredictionEngine engine = filled(history);
    const auto list = engine.eliminationList(0);
    ASSERT_EQ(list[0], list[7]);
    // The filler repeats every other entry too; entry 14 (draw 14, 21 + 22) is the only later new one.
    EXPECT_EQ(engine.elimination(0), (std::vector<int>{25, 1, 3, 11, 20, 27, 2, 6}));
}

TEST(PredictionEngineEliminationTest, ShortAndEmptyHistoriesReadZeros) {
    const std::vector<int> fromZeros = {22, 16, 17, 24, 32, 1, 12};
    EXPECT_EQ(filled(DrawHistory{}).elimination(0), fromZeros);
    EXPECT_EQ(filled(HistoryBuilder(3).build()).elimination(92), fromZeros);

    // Latest 10: entries reaching back 4..9 read stored draws, 10 and more read draw numbers below 1.
    const auto list = filled(HistoryBuilder(10).build()).eliminationList(0);
    EXPECT_EQ(list[0], wrapNumber(21 + 22));
    EXPECT_EQ(list[10], 24); // back 10: draw 0
    EXPECT_EQ(list[19], 1);  // back 17: draw -7
}

// --- Window: multiple and one-shot predictions ---

TEST(PredictionEngineWindowTest, NumbersStandingExactlyOnceInWindowOrder) {
    HistoryBuilder builder(0);
    builder
        .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})          // w3
        .draw(2, {10, 11, 12, 13, 14, 15, 16, 17, 18}) // w2
        .draw(3, {1, 19, 20, 21, 22, 23, 24, 12, 25})  // w1: 1 and 12 are repeats
        .draw(4, {26, 27, 28, 29, 30, 31, 32, 33, 2})  // w0: bonus 2 plays no part
        .draw(5, {34, 35, 36, 37, 1, 2, 3, 4, 5});     // latest, never in the window
    const PredictionEngine engine = filled(builder.build());
    const std::vector<int> multiple = {26, 27, 28, 29, 30, 31, 32, 33, 19, 20, 21, 22, 23, 24};
    EXPECT_EQ(engine.multiplePrediction(0), multiple);
    EXPECT_EQ(engine.oneShotPrediction(0), (std::vector<int>{26, 27, 28, 29, 30, 31, 32}));
}

TEST(PredictionEngineWindowTest, FirstBonusCountsAgainstMainNumbersAndSecondBonusIsIgnored) {
    HistoryBuilder builder(0);
    builder
        .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 30})        // w3: bonus 1 = 8, a main number in w0
        .draw(2, {9, 10, 11, 12, 13, 14, 15, 16, 31}) // w2
        .draw(3, {17, 18, 19, 20, 21, 22, 23, 24, 8}) // w1: bonus 2 = 8 ignored
        .draw(4, {8, 25, 26, 27, 28, 29, 37, 16, 9})  // w0: 16 is bonus 1 here and in w2
        .draw(5, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    const auto candidates = filled(builder.build()).multiplePrediction(0);
    const std::vector<int> expected = {25, 26, 27, 28, 29, 37, 17, 18, 19, 20, 21, 22, 23, 24};
    EXPECT_EQ(candidates, expected);
}

TEST(PredictionEngineWindowTest, FewerCandidatesGiveShorterPredictions) {
    HistoryBuilder builder(0);
    builder.draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})
        .draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 10})
        .draw(3, {9, 10, 11, 12, 13, 14, 15, 16, 11})
        .draw(4, {20, 21, 22, 23, 24, 11, 12, 13, 14})
        .draw(5, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    // Of w1 only 9, 10, 14, 15 and 16 stand once: the second bonus numbers 10 (w2) and 14 (w0) do not count.
    const PredictionEngine engine = filled(builder.build());
    EXPECT_EQ(engine.multiplePrediction(0), (std::vector<int>{20, 21, 22, 23, 24, 9, 10, 14, 15, 16}));
    EXPECT_EQ(engine.oneShotPrediction(0), (std::vector<int>{20, 21, 22, 23, 24, 9, 10}));

    HistoryBuilder few(0);
    few.draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}).draw(2, {1, 2, 3, 4, 5, 6, 7, 10, 11});
    few.draw(3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    // Window 2, 1, 0, -1: 1..7 stand twice; 10 (draw 2) and 8 (draw 1) once each.
    EXPECT_EQ(filled(few.build()).oneShotPrediction(0), (std::vector<int>{10, 8}));
}

TEST(PredictionEngineWindowTest, MissingOrIncompleteDrawsAreSkippedAndEmptyHistoryGivesNothing) {
    HistoryBuilder builder(0);
    builder.draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})
        .draw(3, {1, 12, 13, 14, 15, 16, 17, 18, 19}) // 1 repeats with w3
        .draw(4, {20, 21, 22, 23, 24, 25, 26, 0, 28}) // incomplete: skipped
        .draw(5, {20, 30, 31, 32, 33, 34, 35, 36, 37});
    const PredictionEngine engine = filled(builder.build());
    const std::vector<int> expected = {12, 13, 14, 15, 16, 17, 18, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(engine.latestDrawNumber(), 5);
    EXPECT_EQ(engine.multiplePrediction(0), expected);

    const PredictionEngine empty = filled(DrawHistory{});
    EXPECT_TRUE(empty.multiplePrediction(0).empty());
    EXPECT_TRUE(empty.oneShotPrediction(0).empty());
    EXPECT_TRUE(empty.multiplePrediction(92).empty());
}

TEST(PredictionEngineWindowTest, OneShotIsAlwaysTheStartOfTheMultiplePrediction) {
    const PredictionEngine engine = filled(makeRandomHistory(120, 7));
    for (int shift = 0; shift <= 92; ++shift) {
        const auto multiple = engine.multiplePrediction(shift);
        const auto oneShot = engine.oneShotPrediction(shift);
        ASSERT_LE(multiple.size(), 14u);
        ASSERT_EQ(oneShot.size(), std::min<std::size_t>(7, multiple.size()));
        EXPECT_TRUE(std::equal(oneShot.begin(), oneShot.end(), multiple.begin())) << shift;
    }
}

// --- The shift ---

TEST(PredictionEngineShiftTest, ShiftMovesEliminationAndWindowBackButNotTheCycleRows) {
    const auto history = makeRandomHistory(400, 11);
    const PredictionEngine engine = filled(history);
    PredictionEngine earlier;
    earlier.fillTables(history, 400 - 15);

    AnalysisOptions interval;
    interval[1] = true;
    const PredictionRun off = engine.run(AnalysisOptions{});
    const PredictionRun on = engine.run(interval);
    EXPECT_EQ(off.shift, 0);
    EXPECT_EQ(on.shift, 15);
    EXPECT_EQ(on.cycleRows, off.cycleRows);
    EXPECT_EQ(on.elimination, earlier.elimination(0));
    EXPECT_EQ(on.multiple, earlier.multiplePrediction(0));
    EXPECT_EQ(on.oneShot, earlier.oneShotPrediction(0));
    EXPECT_NE(on.elimination, off.elimination);
    EXPECT_NE(on.multiple, off.multiple);
}

TEST(PredictionEngineShiftTest, AllOptionsOnStaysWithinAShortHistory) {
    const PredictionEngine engine = filled(makeRandomHistory(50, 3));
    AnalysisOptions all;
    all.reflect.fill(true);
    const PredictionRun run = engine.run(all);
    EXPECT_EQ(run.shift, 92);
    EXPECT_EQ(run.elimination, (std::vector<int>{22, 16, 17, 24, 32, 1, 12}));
    EXPECT_TRUE(run.multiple.empty());
}

} // namespace
} // namespace kazutama
