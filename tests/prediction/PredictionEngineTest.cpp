#include "prediction/PredictionEngine.h"

#include "support/Histories.h"

#include <gtest/gtest.h>
#include <map>

namespace kazutama {
namespace {

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
        return test::historyOf(records);
    }

private:
    std::map<int, std::array<int, kBallCount>> m_draws;
};

PredictionEngine filled(const DrawHistory& history) {
    PredictionEngine engine;
    engine.fillTables(Snapshot(history));
    return engine;
}

// --- Fill tables and the cycle rows ---

// A cycle table cell that holds a number: row 0..3 for the cycles 7, 9, 11, 12, ball position 1..9.
struct CycleCell {
    int row, position, number;
};

TEST(PredictionEngineCycleTest, RecordsTheNumbersThatCameBackAfterACycleLength) {
    // 5 stands at position 3 when it comes back at position 4 in draw 15; 9 replaces it in draw 23.
    const auto blocked = [](int count) {
        return HistoryBuilder(count).twice(1, 8, 3, 5).set(15, 4, 5).twice(16, 23, 3, 9);
    };
    struct Case {
        const char* name;
        HistoryBuilder history;
        std::vector<CycleCell> cells; // every other cell is empty
    };
    const Case cases[] = {
        {"back after 7 at its position; a bonus appearance in between is none",
         HistoryBuilder(8).set(1, 3, 5).set(4, 8, 5).set(8, 3, 5),
         {{0, 3, 5}}},
        {"each cycle length fills its own row; a gap of 10 is none",
         HistoryBuilder(13)
             .twice(1, 8, 1, 1)
             .twice(1, 10, 2, 2)
             .twice(1, 12, 4, 3)
             .twice(1, 13, 7, 4)
             .twice(2, 12, 5, 6),
         {{0, 1, 1}, {1, 2, 2}, {2, 4, 3}, {3, 7, 4}}},
        {"the gap is counted from the nearest earlier main appearance (3, not 1)",
         HistoryBuilder(10).set(1, 2, 5).set(3, 6, 5).set(10, 2, 5),
         {{0, 2, 5}}},
        {"a bonus ball is recorded (unseen) and blocks a later position; draw 13 is 12 after draw 1",
         HistoryBuilder(20).set(1, 1, 5).set(8, 8, 5).set(13, 4, 5).set(20, 2, 5),
         {{0, 8, 5}, {3, 4, 5}}},
        {"a number already in the row at positions 1..8 is not recorded again", blocked(23), {{0, 3, 9}}},
        {"once replaced there, it may stand at another position",
         blocked(32).twice(25, 32, 4, 5),
         {{0, 3, 9}, {0, 4, 5}}},
        {"earlier appearances as a bonus number only are none",
         HistoryBuilder(8).set(1, 9, 5).set(8, 1, 5).set(8, 9, 6).set(1, 1, 6),
         {{0, 9, 6}}},
        {"an incomplete draw is no earlier appearance",
         HistoryBuilder(8).draw(1, {5, 22, 23, 24, 25, 26, 27, 28, 0}).set(8, 1, 5),
         {}},
        {"an incomplete draw cannot come back",
         HistoryBuilder(8).set(1, 1, 5).draw(8, {5, 22, 23, 24, 25, 26, 0, 28, 29}),
         {}},
        {"draw numbers beyond 5000",
         HistoryBuilder(0)
             .draw(30000, {1, 2, 3, 4, 5, 6, 7, 8, 9})
             .draw(30007, {10, 11, 12, 13, 14, 15, 7, 16, 17}),
         {{0, 7, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PredictionEngine engine = filled(c.history.build());
        const CycleTable& table = engine.cycleTable();
        std::array<std::array<int, kBallCount>, kCycleRowCount> expected{};
        for (const CycleCell& cell : c.cells)
            expected[cell.row][cell.position - 1] = cell.number;
        for (int row = 0; row < kCycleRowCount; ++row)
            for (int position = 1; position <= kBallCount; ++position)
                EXPECT_EQ(table.cell(row, position), expected[row][position - 1]) << row << " " << position;
    }
}

TEST(PredictionEngineCycleTest, RowsShowPositionsOneToSevenAsTexts) {
    const PredictionEngine engine =
        filled(HistoryBuilder(13).twice(1, 8, 3, 5).set(1, 1, 6).set(13, 8, 6).build());
    ASSERT_EQ(engine.cycleTable().cell(3, 8), 6);
    EXPECT_EQ(engine.cycleRows()[0], (CycleRowTexts{"", "", "5", "", "", "", ""}));
    EXPECT_EQ(engine.cycleRows()[3], CycleRowTexts{});
}

TEST(PredictionEngineCycleTest, DrawTableHoldsTheCompleteDrawsOnly) {
    const PredictionEngine engine = filled(HistoryBuilder(3)
                                               .draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 0})
                                               .draw(30000, {1, 2, 3, 4, 5, 6, 7, 8, 9})
                                               .build());
    EXPECT_EQ(engine.drawTable().at(1, 9), 29);
    EXPECT_EQ(engine.drawTable().at(2, 1), 0);
    EXPECT_EQ(engine.drawTable().at(30000, 9), 9);
    EXPECT_EQ(engine.drawTable().at(29999, 1), 0);
}

TEST(PredictionEngineCycleTest, RefillingStartsFromEmptyTables) {
    PredictionEngine engine;
    engine.fillTables(Snapshot(HistoryBuilder(8).twice(1, 8, 3, 5).build()));
    ASSERT_EQ(engine.cycleTable().cell(0, 3), 5);
    engine.fillTables(Snapshot(HistoryBuilder(5).build()));
    EXPECT_EQ(engine.cycleTable(), CycleTable{});
    EXPECT_EQ(engine.drawTable().at(8, 3), 0);
    EXPECT_EQ(engine.latestDrawNumber(), 5);
}

// --- Elimination ---

TEST(PredictionEngineEliminationTest, ReadsTheRecipeDrawsAndKeepsFirstSeenNumbers) {
    using List = std::array<int, kEliminationStepCount>;
    struct Case {
        const char* name;
        HistoryBuilder history;
        int shift;
        List list;
        std::vector<int> elimination;
    };
    const List fromZeros = {22, 16, 17, 24, 32, 1, 12, 22, 16, 17, 24, 32, 1, 12, 22, 16, 17, 24, 32, 1, 12};
    // Where a draw holds the filler, position 1 gives 21 + 22 = 43 -> 6, 2 gives 1, 3 gives 3, 4 gives 11,
    // 5 gives 20, 6 gives 27, 7 gives 2.
    const Case cases[] = {
        {"latest 20: the draws 4 to 17 back, wrapped (59 -> 22, 38 -> 1, 37 stays)",
         HistoryBuilder(20).set(16, 1, 37).set(8, 6, 36).set(15, 1, 16).set(11, 5, 5),
         0,
         {22, 1, 3, 11, 37, 37, 2, 1, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2},
         {22, 1, 3, 11, 37, 2, 20, 27, 6}},
        {"a missing draw reads as 0 plus the added value",
         HistoryBuilder(20).drop(16),
         0,
         {22, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2},
         {22, 1, 3, 11, 20, 27, 2, 6}},
        {"an incomplete draw is a missing one",
         HistoryBuilder(20).draw(16, {10, 22, 23, 24, 25, 26, 27, 0, 29}),
         0,
         {22, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2},
         {22, 1, 3, 11, 20, 27, 2, 6}},
        {"a repeated number stays first; later numbers move up",
         HistoryBuilder(20).set(16, 1, 3).set(15, 1, 3),
         0,
         {25, 1, 3, 11, 20, 27, 2, 25, 1, 3, 11, 20, 27, 2, 6, 1, 3, 11, 20, 27, 2},
         {25, 1, 3, 11, 20, 27, 2, 6}},
        {"latest 10: draws 0 and below read as missing",
         HistoryBuilder(10),
         0,
         {6, 1, 3, 11, 20, 1, 12, 6, 1, 3, 24, 32, 1, 12, 6, 1, 3, 24, 32, 1, 12},
         {6, 1, 3, 11, 20, 12, 24, 32}},
        {"empty history", HistoryBuilder(0), 0, fromZeros, {22, 16, 17, 24, 32, 1, 12}},
        {"all options on over a short history",
         HistoryBuilder(3),
         92,
         fromZeros,
         {22, 16, 17, 24, 32, 1, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PredictionEngine engine = filled(c.history.build());
        EXPECT_EQ(engine.eliminationList(c.shift), c.list);
        EXPECT_EQ(engine.elimination(c.shift), c.elimination);
    }
}

// --- Window: multiple and one-shot predictions ---

TEST(PredictionEngineWindowTest, NumbersStandingExactlyOnceInTheFourDrawsBeforeTheLatest) {
    struct Case {
        const char* name;
        HistoryBuilder history;
        std::vector<int> multiple;
        std::vector<int> oneShot;
    };
    const Case cases[] = {
        {"window order; 1 and 12 repeat; the second bonus and the latest draw play no part",
         HistoryBuilder(0)
             .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})          // w3
             .draw(2, {10, 11, 12, 13, 14, 15, 16, 17, 18}) // w2
             .draw(3, {1, 19, 20, 21, 22, 23, 24, 12, 25})  // w1
             .draw(4, {26, 27, 28, 29, 30, 31, 32, 33, 2})  // w0
             .draw(5, {34, 35, 36, 37, 1, 2, 3, 4, 5}),     // latest
         {26, 27, 28, 29, 30, 31, 32, 33, 19, 20, 21, 22, 23, 24},
         {26, 27, 28, 29, 30, 31, 32}},
        {"a first bonus number counts against main numbers; a second bonus one does not",
         HistoryBuilder(0)
             .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 30})        // w3: bonus 1 = 8, a main number in w0
             .draw(2, {9, 10, 11, 12, 13, 14, 15, 16, 31}) // w2
             .draw(3, {17, 18, 19, 20, 21, 22, 23, 24, 8}) // w1: bonus 2 = 8 ignored
             .draw(4, {8, 25, 26, 27, 28, 29, 37, 16, 9})  // w0: 16 is bonus 1 here and in w2
             .draw(5, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         {25, 26, 27, 28, 29, 37, 17, 18, 19, 20, 21, 22, 23, 24},
         {25, 26, 27, 28, 29, 37, 17}},
        {"fewer than 14 candidates", // of w1 only 9, 10, 14, 15 and 16 stand once
         HistoryBuilder(0)
             .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})
             .draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 10})
             .draw(3, {9, 10, 11, 12, 13, 14, 15, 16, 11})
             .draw(4, {20, 21, 22, 23, 24, 11, 12, 13, 14})
             .draw(5, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         {20, 21, 22, 23, 24, 9, 10, 14, 15, 16},
         {20, 21, 22, 23, 24, 9, 10}},
        {"fewer than 7 candidates; the window reaches below draw 1",
         HistoryBuilder(0)
             .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})
             .draw(2, {1, 2, 3, 4, 5, 6, 7, 10, 11})
             .draw(3, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         {10, 8},
         {10, 8}},
        {"missing and incomplete draws are skipped",
         HistoryBuilder(0)
             .draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})
             .draw(3, {1, 12, 13, 14, 15, 16, 17, 18, 19}) // 1 repeats with w3
             .draw(4, {20, 21, 22, 23, 24, 25, 26, 0, 28}) // incomplete
             .draw(5, {20, 30, 31, 32, 33, 34, 35, 36, 37}),
         {12, 13, 14, 15, 16, 17, 18, 2, 3, 4, 5, 6, 7, 8},
         {12, 13, 14, 15, 16, 17, 18}},
        {"empty history", HistoryBuilder(0), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PredictionEngine engine = filled(c.history.build());
        EXPECT_EQ(engine.multiplePrediction(0), c.multiple);
        EXPECT_EQ(engine.oneShotPrediction(0), c.oneShot);
        // With every option on, the window of these short histories lies wholly before draw 1.
        EXPECT_TRUE(engine.multiplePrediction(92).empty());
        EXPECT_TRUE(engine.oneShotPrediction(92).empty());
    }
}

// --- The shift ---

TEST(PredictionEngineShiftTest, ShiftMovesEliminationAndWindowBackButNotTheCycleRows) {
    // Latest 40; draw 24 is read by elimination entries 12 and 13 without the shift, and is the newest
    // window draw with 間隔分析Opt (15) on, when entry 0 reads draw 21.
    const PredictionEngine engine = filled(
        HistoryBuilder(40).twice(1, 8, 3, 5).set(21, 1, 1).draw(24, {1, 2, 3, 4, 5, 6, 7, 8, 9}).build());
    AnalysisOptions interval;
    interval[1] = true;
    const PredictionRun off = engine.run(AnalysisOptions{});
    const PredictionRun on = engine.run(interval);
    const CycleRowTexts five{"", "", "5", "", "", "", ""};
    EXPECT_EQ(off.shift, 0);
    EXPECT_EQ(off.cycleRows[0], five);
    EXPECT_EQ(off.elimination, (std::vector<int>{6, 1, 3, 11, 20, 27, 2, 7, 19}));
    EXPECT_TRUE(off.multiple.empty());
    EXPECT_EQ(on.shift, 15);
    EXPECT_EQ(on.cycleRows[0], five);
    EXPECT_EQ(on.elimination, (std::vector<int>{23, 1, 3, 11, 20, 27, 2, 6}));
    EXPECT_EQ(on.multiple, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(on.oneShot, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
}

} // namespace
} // namespace kazutama
