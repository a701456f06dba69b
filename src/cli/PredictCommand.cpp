// predict: one prediction run over the stored history, as the prediction view shows it when it opens.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "prediction/PredictionEngine.h"
#include "settings/SettingsFile.h"

#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kPredictUsage = "predict DB [--ini FILE]";

std::string jsonNumbers(const std::vector<int>& numbers) {
    return jsonArray(numbers, [](int n) { return std::to_string(n); });
}

} // namespace

std::string predictionJson(const PredictionRun& run) {
    return "{\"shift\": " + std::to_string(run.shift) + ", \"cycle\": " +
           jsonArray(run.cycleRows, [](const CycleRowTexts& row) { return jsonArray(row, jsonString); }) +
           ", \"elimination\": " + jsonNumbers(run.elimination) +
           ", \"multiple\": " + jsonNumbers(run.multiple) + ", \"oneShot\": " + jsonNumbers(run.oneShot) +
           "}";
}

void runPredict(const Args& args, std::ostream& out) {
    const ParsedArgs parsed = parseArgs(args, {"--ini"}, {}, {"データベースファイル"}, kPredictUsage);
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    const AnalysisOptions options = ReadInitFile(parsed.value("--ini", std::string(kSettingsFileName)));

    PredictionEngine engine;
    engine.fillTables(snapshot);
    out << predictionJson(engine.run(options)) << '\n';
}

} // namespace kazutama::cli
