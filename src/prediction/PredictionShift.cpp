#include "prediction/PredictionShift.h"

namespace kazutama {

int computePredictionShift(const AnalysisOptions& options) {
    int shift = 0;
    for (std::size_t i = 0; i < kAnalysisOptionCount; ++i)
        if (options[i])
            shift += kPredictionShiftWeights[i];
    return shift;
}

} // namespace kazutama
