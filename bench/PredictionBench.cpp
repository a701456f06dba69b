// Times Fill tables, one prediction run, the backtest and its shift sweep, and every analysis builder on
// random histories of growing length.

#include "BenchSupport.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "prediction/Backtest.h"
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

    // The backtest window's work: every draw predicted from the draws before it, and the sweep over every
    // shift; fewer repetitions, as one run is a whole walk through the history.
    constexpr int kWalks = 5;
    std::printf("\n%8s %16s %16s   (ms, median of %d runs)\n", "draws", "backtest", "shift sweep", kWalks);
    for (int draws : {650, 5000, 32000}) {
        const DrawHistory history = randomHistory(draws, 2024);
        std::size_t sink = 0;
        const double backtest =
            medianMicroseconds(kWalks, [&] { sink += runBacktest(history, options).draws.size(); });
        const double sweep = medianMicroseconds(kWalks, [&] { sink += runShiftSweep(history).size(); });
        std::printf("%8d %16.1f %16.1f\n", draws, backtest / 1000.0, sweep / 1000.0);
        if (sink == 0)
            std::printf("(nothing tested)\n");
    }

    // Every view that can be built, as the window builds it on opening: median of 21 builds, in ms.
    constexpr int kBuilds = 21;
    constexpr int kSizes[] = {695, 5000, 32000};
    std::vector<DrawHistory> histories;
    std::vector<StartupSummary> summaries;
    for (int draws : kSizes) {
        histories.push_back(randomHistory(draws, 2024));
        summaries.push_back(computeStartupSummary(histories.back()));
    }
    std::printf("\n%-36s %10s %10s %10s   (ms, median of %d builds)\n", "view", "695", "5000", "32000", kBuilds);
    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        if (!entry.builder)
            continue;
        std::printf("%-*s", int(36 + entry.windowName.size() / 3),
                    std::string(entry.windowName).c_str());
        for (std::size_t i = 0; i < histories.size(); ++i) {
            long cells = 0;
            const double us = medianMicroseconds(kBuilds, [&] {
                const ResultGrid grid = entry.build(histories[i], summaries[i]);
                cells += grid.columnCount();
            });
            std::printf(" %10.3f", us / 1000.0);
            if (cells == 0)
                std::printf("?");
        }
        std::printf("\n");
    }
    return 0;
}
