#pragma once

#include "grid/ResultGrid.h"
#include "prediction/Backtest.h"
#include "settings/AnalysisOptions.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// The tables of 予想検証, laid out like the prediction view's: pale pink heading rows in blue, thin lines.
//
// Summary: one block of three rows per method (what it did, what a random pick of the same size is
// expected to do, and the first minus the second), the methods in the order of kBacktestMethodNames.
namespace summarygrid {
inline constexpr int kHeadingRows = 2;
inline constexpr int kRowsPerMethod = 3;
inline constexpr int kDrawsColumn = 2;
inline constexpr int kFirstHitsColumn = 4; // main hits 0..7
inline constexpr int kMeanColumn = 12;
inline constexpr int kBonusColumn = 13;
inline constexpr int kTicketsColumn = 14;
inline constexpr int kFirstTierColumn = 15; // 1等..6等
inline constexpr int kColumns = 20;
// The row of one of a method's three lines: 0 observed, 1 expected, 2 difference.
constexpr int row(int method, int line) {
    return kHeadingRows + 1 + method * kRowsPerMethod + line;
}
} // namespace summarygrid

// One row per tested draw: the draw, the one-shot numbers coloured by what they hit, the one-shot's prize
// and the main hits of every method.
namespace drawgrid {
inline constexpr int kHeadingRows = 3;
inline constexpr int kFirstDrawnColumn = 2;    // 7 main, then 2 bonus numbers
inline constexpr int kFirstOneShotColumn = 11; // the one-shot's 7 numbers
inline constexpr int kTierColumn = 18;
inline constexpr int kFirstHitsColumn = 19; // one per method
inline constexpr int kColumns = kFirstHitsColumn + kBacktestMethodCount - 1;
} // namespace drawgrid

// One block of three rows per shift, as in the summary, with an example of options that give it; the shift
// in force is marked.
namespace sweepgrid {
inline constexpr int kHeadingRows = 3;
inline constexpr int kRowsPerShift = 3;
inline constexpr int kOneShotMeanColumn = 3;
inline constexpr int kFirstTierColumn = 4;
inline constexpr int kMultipleMeanColumn = 10;
inline constexpr int kOptionsColumn = 11;
inline constexpr int kColumns = 11;
constexpr int row(int index, int line) {
    return kHeadingRows + 1 + index * kRowsPerShift + line;
}
} // namespace sweepgrid

inline constexpr std::array<std::string_view, 3> kBacktestLineLabels = {"実績", "期待値", "差"};

ResultGrid backtestSummaryGrid(const BacktestResult& result);
ResultGrid backtestDrawGrid(const BacktestResult& result);
ResultGrid shiftSweepGrid(const std::vector<SweepRow>& rows, int shiftInForce);

// A count expected by chance as the tables show it: one decimal from 1 up, two significant digits below it
// ("0.000063", so that a first prize over a few hundred draws does not read as 0), "<0.000001" below that.
std::string expectedCountText(double value);

// The reflected options by their short names ("間隔分析、バラツキ分析"), or "なし".
std::string reflectedOptionNames(const AnalysisOptions& options);

// A method's main hits added up draw by draw, beside what a random pick of the same size adds up to.
struct CumulativeHits {
    int draw = 0;
    int hits = 0;
    double expected = 0;
};
std::vector<CumulativeHits> cumulativeHits(const BacktestResult& result, int method);

} // namespace kazutama
