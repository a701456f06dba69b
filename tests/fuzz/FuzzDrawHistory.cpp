// Any rows as stored by any tool: the history the analyses get from them, the start-up summary, every
// view's table and a prediction with any options, without a crash or an access outside a table.
//
// Input: two bytes of options, then up to 256 rows of eleven bytes: the draw number (two bytes) and nine
// numbers, each byte mapped mostly onto 0..37 (0: not entered) and sometimes onto values no number may have.
// Draw numbers are mostly below 400, and now and then at the top of the range or past it: the tables are
// sized by the latest draw, and a fuzzer that made a 32,000-row table of every input would try few inputs.

#include "analyses/ViewCatalogue.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "store/DrawHistory.h"
#include "store/Snapshot.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

long long storedDrawNumber(std::uint8_t high, std::uint8_t low) {
    const int raw = (high << 8) | low;
    return raw >= 0xFFF0 ? 32750 + (raw & 0xF) : raw % 400;
}

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
    constexpr std::size_t kMaxRows = 256;
    for (std::size_t at = 2; at + kRowBytes <= size && rows.size() < kMaxRows; at += kRowBytes) {
        StoredDraw row;
        row.drawNumber = storedDrawNumber(data[at], data[at + 1]);
        for (std::size_t i = 0; i < kBallCount; ++i)
            row.numbers[i] = storedNumber(data[at + 2 + i]);
        rows.push_back(row);
    }

    const Snapshot snapshot(historyFromStoredRows(rows));
    for (const ViewEntry& entry : ViewCatalogue::entries())
        (void)entry.build(snapshot);

    PredictionEngine engine;
    engine.fillTables(snapshot);
    std::array<ResultGrid, kPredictionGridCount> grids;
    for (int i = 0; i < kPredictionGridCount; ++i)
        grids[std::size_t(i)] = predictionGridLayout(i);
    writePredictionRun(grids, engine.run(options));
    return 0;
}
