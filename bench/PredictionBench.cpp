// Times Fill tables and one prediction run on random histories of growing length.

#include "BenchSupport.h"
#include "prediction/PredictionEngine.h"
#include "store/StartupSummary.h"

#include <cstdio>

using namespace kazutama;
using bench::medianMicroseconds;
using bench::randomHistory;

int main() {
    constexpr int kRepetitions = 15;
    AnalysisOptions options;
    options[1] = true; // a shift, as after the most common option click

    std::printf("%8s %16s %20s\n", "draws", "fill tables (us)", "prediction run (us)");
    for (int draws : {650, 5000, 32000}) {
        const DrawHistory history = randomHistory(draws, 2024);
        const int latest = computeStartupSummary(history).latestDrawNumber;
        PredictionEngine engine;
        const double fill = medianMicroseconds(kRepetitions, [&] { engine.fillTables(history, latest); });
        std::size_t sink = 0;
        const double run =
            medianMicroseconds(kRepetitions, [&] { sink += engine.run(options).multiple.size(); });
        std::printf("%8d %16.1f %20.2f\n", draws, fill, run);
        if (sink == 0)
            std::printf("(no candidates)\n");
    }
    return 0;
}
