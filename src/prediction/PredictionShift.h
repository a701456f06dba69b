#pragma once

#include "settings/AnalysisOptions.h"

#include <array>

namespace kazutama {

// How many draws further back each reflected option moves the elimination method and the window,
// in the order of kAnalysisOptionKeys.
inline constexpr std::array<int, kAnalysisOptionCount> kPredictionShiftWeights = {1, 15, 6,  9, 10, 4,
                                                                                  8, 2,  11, 7, 16, 3};

// The sum of the weights of the reflected options: 0 with none, 92 with all.
int computePredictionShift(const AnalysisOptions& options);

} // namespace kazutama
