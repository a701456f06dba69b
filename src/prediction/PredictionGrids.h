#pragma once

#include "grid/ResultGrid.h"
#include "prediction/PredictionRun.h"

#include <array>
#include <string_view>

namespace kazutama {

// The four small tables of the prediction view: cycle methods, elimination, multiple and one-shot.
inline constexpr int kPredictionGridCount = 4;
inline constexpr std::array<std::string_view, kPredictionGridCount> kPredictionGridCaptions = {
    "●周期法による予想",
    "●消去法による予想(この予想数字を組合わせて購入します)",
    "●連発Kazutama予想(この予想数字を組合わせて購入します)",
    "●一発Kazutama予想",
};

// Grid `index` (0..3) with its extent, widths, heights, borders, method labels and header row, and no
// numbers.
ResultGrid predictionGridLayout(int index);

// One prediction run written into the four grids: the old numbers of grids 1..3 are cleared first, the cycle
// rows go to grid 0, and each list fills its grid seven numbers to a row from row 2.
void writePredictionRun(std::array<ResultGrid, kPredictionGridCount>& grids, const PredictionRun& run);

// The four grids laid out afresh and holding one run.
std::array<ResultGrid, kPredictionGridCount> predictionGrids(const PredictionRun& run);

} // namespace kazutama
