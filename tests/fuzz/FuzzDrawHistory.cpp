// Any rows as stored by any tool: the history the analyses get from them, the start-up summary, every
// view's table and a prediction with any options, without a crash or an access outside a table.
//
// Input: two bytes of options, then rows of eleven bytes: the draw number (two bytes, big-endian, so 0 and
// numbers past the highest draw come up) and nine numbers, each byte mapped mostly onto 0..37 (0: not
// entered) and sometimes onto values no number may have.

#include "analyses/ViewCatalogue.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "store/DrawHistory.h"
#include "store/StartupSummary.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

long long storedNumber(std::uint8_t byte) {
    constexpr long long kOdd[] = {-1, 38, 99, 255, -2147483648LL, 4294967296LL};
    return byte < 228 ? byte % 38 : kOdd[(byte - 228) % std::size(kOdd)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kazutama;
    if (size < 2)
        return 0;
    AnalysisOptions options;
    for (std::size_t i = 0; i < kAnalysisOptionCount; ++i)
        options[i] = (data[i / 8] >> (i % 8)) & 1;

    constexpr std::size_t kRowBytes = 2 + kBallCount;
    std::vector<StoredDraw> rows;
    for (std::size_t at = 2; at + kRowBytes <= size; at += kRowBytes) {
        StoredDraw row;
        row.drawNumber = (data[at] << 8) | data[at + 1];
        for (std::size_t i = 0; i < kBallCount; ++i)
            row.numbers[i] = storedNumber(data[at + 2 + i]);
        rows.push_back(row);
    }

    const DrawHistory history = historyFromStoredRows(rows);
    const StartupSummary summary = computeStartupSummary(history);
    for (const ViewEntry& entry : ViewCatalogue::entries())
        if (entry.builder)
            (void)entry.build(history, summary);

    PredictionEngine engine;
    engine.fillTables(history, summary.latestDrawNumber);
    std::array<ResultGrid, kPredictionGridCount> grids;
    for (int i = 0; i < kPredictionGridCount; ++i)
        grids[std::size_t(i)] = predictionGridLayout(i);
    writePredictionRun(grids, engine.run(options));
    return 0;
}
