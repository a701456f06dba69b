#include "prediction/BacktestGrids.h"

#include "grid/Colours.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

constexpr int kObserved = 0, kExpected = 1, kDifference = 2;

// The summary's cells for hand-made figures: a difference is observed minus expected, shown to the
// expectation's precision; what a method could not pick stays blank.
TEST(BacktestGridsTest, SummaryShowsObservedExpectedAndTheirDifference) {
    BacktestResult result;
    MethodSummary& oneShot = result.methods[kOneShotMethod];
    oneShot.draws = 10;
    oneShot.hits = {1, 2, 5, 2, 0, 0, 0, 0};
    oneShot.expectedHits[0] = 2.5;
    oneShot.expectedHits[2] = 3.2;
    oneShot.expectedHits[3] = 2;
    oneShot.meanHits = 1.3;
    oneShot.expectedMeanHits = 1.3243;
    oneShot.bonusHits = 4;
    oneShot.expectedBonusHits = 3.57;
    oneShot.tickets = 10;
    oneShot.tiers[6] = 1;
    oneShot.expectedTiers[6] = 0.2356;
    oneShot.expectedTiers[1] = 0.0000631;
    MethodSummary& multiple = result.methods[kMultipleMethod];
    multiple.draws = 3;
    multiple.hits[3] = 3;
    multiple.expectedHits[3] = 0.75;
    multiple.meanHits = 3;
    multiple.expectedMeanHits = 2.65;

    using namespace summarygrid;
    const struct {
        const char* what;
        int method, column, line;
        std::string text;
    } cases[] = {
        {"draws", kOneShotMethod, kDrawsColumn, kObserved, "10"},
        {"more than expected", kOneShotMethod, kFirstHitsColumn + 2, kObserved, "5"},
        {"", kOneShotMethod, kFirstHitsColumn + 2, kExpected, "3.2"},
        {"", kOneShotMethod, kFirstHitsColumn + 2, kDifference, "+1.8"},
        {"fewer than expected", kOneShotMethod, kFirstHitsColumn, kDifference, "-1.5"},
        {"as expected", kOneShotMethod, kFirstHitsColumn + 3, kDifference, "0.0"},
        {"never expected", kOneShotMethod, kFirstHitsColumn + 7, kExpected, "0"},
        {"mean", kOneShotMethod, kMeanColumn, kObserved, "1.30"},
        {"", kOneShotMethod, kMeanColumn, kExpected, "1.32"},
        {"", kOneShotMethod, kMeanColumn, kDifference, "-0.02"},
        {"bonus", kOneShotMethod, kBonusColumn, kDifference, "+0.4"},
        {"tickets", kOneShotMethod, kTicketsColumn, kObserved, "10"},
        {"small expectation", kOneShotMethod, kFirstTierColumn + 5, kExpected, "0.24"},
        {"", kOneShotMethod, kFirstTierColumn + 5, kDifference, "+0.76"},
        {"first prize", kOneShotMethod, kFirstTierColumn, kExpected, "0.000063"},
        {"", kOneShotMethod, kFirstTierColumn, kDifference, "-0.000063"},
        {"a pool has no tickets", kMultipleMethod, kFirstTierColumn + 5, kObserved, ""},
        {"", kMultipleMethod, kTicketsColumn, kObserved, ""},
        {"a pool's hits", kMultipleMethod, kFirstHitsColumn + 3, kDifference, "+2.25"},
        {"nothing picked", kEliminationMethod, kDrawsColumn, kObserved, "0"},
        {"", kEliminationMethod, kFirstHitsColumn, kExpected, ""},
        {"", kEliminationMethod, kMeanColumn, kDifference, ""},
    };
    const ResultGrid grid = backtestSummaryGrid(result);
    for (const auto& c : cases)
        EXPECT_EQ(grid.text(c.column, row(c.method, c.line)), c.text) << c.what << " (" << c.column << ")";
    for (int method = 0; method < kBacktestMethodCount; ++method)
        EXPECT_EQ(grid.text(1, row(method, kObserved)), kBacktestMethodNames[std::size_t(method)]);
}

// Every one-shot number that is among the draw's numbers takes the colour of the analyses for its kind;
// the others take none.
TEST(BacktestGridsTest, OneShotNumbersAreColouredByWhatTheyHit) {
    BacktestResult result;
    BacktestDraw tested;
    tested.draw = 42;
    tested.drawn = {3, 11, 17, 22, 29, 31, 36, 8, 25}; // bonus 8 and 25
    const DrawRecord record{42, tested.drawn};
    tested.outcomes[kOneShotMethod] = judgePick({36, 8, 4, 25, 11, 5, 6}, record);
    tested.outcomes[0] = judgePick({3, 11, 17, 22, 1, 2, 4}, record);
    result.draws.push_back(tested);

    const struct {
        int number;
        std::optional<Rgb> colour;
    } expected[] = {
        {36, colours::kMainNumberDot},
        {8, colours::kFirstBonusDot},
        {4, std::nullopt},
        {25, colours::kSecondBonusDot},
        {11, colours::kMainNumberDot},
        {5, std::nullopt},
        {6, std::nullopt},
    };
    using namespace drawgrid;
    const ResultGrid grid = backtestDrawGrid(result);
    const int row = kHeadingRows + 1;
    EXPECT_EQ(grid.text(1, row), "42");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(grid.text(kFirstOneShotColumn + i, row), std::to_string(expected[i].number));
        EXPECT_EQ(grid.background(kFirstOneShotColumn + i, row), expected[i].colour) << expected[i].number;
    }
    // Two main numbers and a bonus number: no prize.
    EXPECT_EQ(grid.text(kTierColumn, row), "");
    EXPECT_EQ(grid.text(kFirstHitsColumn + kOneShotMethod, row), "2");
    EXPECT_EQ(grid.text(kFirstHitsColumn, row), "4");
    EXPECT_EQ(grid.text(kFirstHitsColumn + kEliminationMethod, row), "") << "a method that picked nothing";
}

// Over a real history, the highlighted cells of each row are exactly the one-shot's hits.
TEST(BacktestGridsTest, HighlightsMatchTheHitsOfEveryDraw) {
    const BacktestResult result = runBacktest(test::makeRandomHistory(300, 11), {});
    using namespace drawgrid;
    const ResultGrid grid = backtestDrawGrid(result);
    ASSERT_EQ(grid.rowCount(), kHeadingRows + int(result.draws.size()));
    int prizes = 0;
    for (std::size_t i = 0; i < result.draws.size(); ++i) {
        const int row = kHeadingRows + 1 + int(i);
        const MethodOutcome& oneShot = result.draws[i].outcomes[kOneShotMethod];
        int main = 0, bonus = 0;
        for (int column = kFirstOneShotColumn; column < kFirstOneShotColumn + kMainCount; ++column) {
            const auto colour = grid.background(column, row);
            main += colour == colours::kMainNumberDot;
            bonus += colour == colours::kFirstBonusDot || colour == colours::kSecondBonusDot;
        }
        ASSERT_EQ(main, oneShot.mainHits) << "draw " << result.draws[i].draw;
        ASSERT_EQ(bonus > 0, oneShot.bonusHit) << "draw " << result.draws[i].draw;
        ASSERT_EQ(grid.text(kFirstHitsColumn + kOneShotMethod, row),
                  oneShot.numbers.empty() ? "" : std::to_string(oneShot.mainHits));
        prizes += !grid.text(kTierColumn, row).empty();
    }
    int tickets = 0;
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        tickets += result.methods[kOneShotMethod].tiers[std::size_t(tier)];
    EXPECT_EQ(prizes, tickets);
}

// Too short a history tests nothing: the tables keep their headings and show no figures.
TEST(BacktestGridsTest, EmptyOrSingleDrawHistories) {
    for (const DrawHistory& history : {DrawHistory(), test::makeRandomHistory(1, 2)}) {
        const BacktestResult result = runBacktest(history, {});
        const ResultGrid summary = backtestSummaryGrid(result);
        EXPECT_EQ(summary.rowCount(), summarygrid::row(kBacktestMethodCount, 0) - 1);
        for (int method = 0; method < kBacktestMethodCount; ++method) {
            EXPECT_EQ(summary.text(summarygrid::kDrawsColumn, summarygrid::row(method, 0)), "0");
            EXPECT_EQ(summary.text(summarygrid::kMeanColumn, summarygrid::row(method, 0)), "");
        }
        EXPECT_EQ(backtestDrawGrid(result).rowCount(), drawgrid::kHeadingRows);
        EXPECT_TRUE(cumulativeHits(result, kOneShotMethod).empty());
        const ResultGrid sweep = shiftSweepGrid(runShiftSweep(history), 0);
        EXPECT_EQ(sweep.text(sweepgrid::kOneShotMeanColumn, sweepgrid::row(0, 0)), "");
    }
}

// Each shift's example names its options briefly over the rows of its block, or where most are reflected
// the ones that are not; the shift in force is marked.
TEST(BacktestGridsTest, SweepRowsNameTheirOptionsAndMarkTheShiftInForce) {
    const std::vector<SweepRow> rows = runShiftSweep(test::makeRandomHistory(60, 3));
    using namespace sweepgrid;
    const ResultGrid grid = shiftSweepGrid(rows, 15);
    const struct {
        int shift;
        std::vector<std::string> lines;
    } cases[] = {
        {0, {"なし", "", ""}},
        {15, {"間隔分析", "", ""}},
        {16, {"下一桁出現傾向分析", "", ""}},
        {3, {"下一桁連続出現回数分析", "", ""}},
        {92, {"すべて", "", ""}},
        {91, {"すべて（次を除く）", "頻度分析", ""}},
        // No two weights make 28; of the threes, 1 + 11 + 16 holds the first option. Too long for one line.
        {28, {"頻度分析、4分割傾向分析、", "下一桁出現傾向分析", ""}},
    };
    for (const auto& c : cases) {
        const auto at =
            std::find_if(rows.begin(), rows.end(), [&](const SweepRow& r) { return r.shift == c.shift; });
        ASSERT_NE(at, rows.end()) << c.shift;
        const int top = row(int(at - rows.begin()), 0);
        EXPECT_EQ(grid.text(1, top), std::to_string(c.shift));
        for (int line = 0; line < kRowsPerShift; ++line)
            EXPECT_EQ(grid.text(kOptionsColumn, top + line), c.lines[std::size_t(line)])
                << c.shift << ":" << line;
        EXPECT_EQ(grid.background(1, top) == colours::kPaleGreen, c.shift == 15) << c.shift;
    }
}

// The running totals add each draw's hits and, for the expectation, 7/37 of each pick's size.
TEST(BacktestGridsTest, CumulativeHitsAddUpDrawByDraw) {
    BacktestResult result;
    const struct {
        int draw;
        std::size_t size;
        int hits;
        int total;
        double expected;
    } draws[] = {
        {5, 7, 2, 2, 49.0 / 37},
        {6, 0, 0, 2, 49.0 / 37},
        {8, 14, 3, 5, 147.0 / 37},
        {9, 7, 0, 5, 196.0 / 37},
    };
    for (const auto& d : draws) {
        BacktestDraw tested;
        tested.draw = d.draw;
        tested.outcomes[kMultipleMethod].numbers.assign(d.size, 1);
        tested.outcomes[kMultipleMethod].mainHits = d.hits;
        result.draws.push_back(tested);
    }
    const std::vector<CumulativeHits> points = cumulativeHits(result, kMultipleMethod);
    ASSERT_EQ(points.size(), std::size(draws));
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].draw, draws[i].draw);
        EXPECT_EQ(points[i].hits, draws[i].total);
        EXPECT_NEAR(points[i].expected, draws[i].expected, 1e-9);
    }
}

} // namespace
} // namespace kazutama
