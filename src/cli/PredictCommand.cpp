// predict: one prediction run over the stored history, as the prediction view shows it when it opens.

#include "cli/CliCommands.h"
#include "grid/JsonText.h"
#include "prediction/PredictionEngine.h"
#include "settings/SettingsFile.h"
#include "store/StartupSummary.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kPredictUsage = "使い方: kazutama-cli predict DB [--ini FILE]";

struct PredictArgs {
    std::string databasePath;
    std::filesystem::path settingsPath{kSettingsFileName};
};

PredictArgs parsePredictArgs(const Args& args) {
    std::optional<std::string> database;
    PredictArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--ini") {
            if (i + 1 == args.size())
                throw CliError{"--ini の後に設定ファイル名がありません。" + std::string(kPredictUsage)};
            parsed.settingsPath = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw CliError{"不明なオプションです: " + arg + "。" + std::string(kPredictUsage)};
        } else if (database) {
            throw CliError{"引数が多すぎます: " + arg + "。" + std::string(kPredictUsage)};
        } else {
            database = arg;
        }
    }
    if (!database)
        throw CliError{"データベースファイルが指定されていません。" + std::string(kPredictUsage)};
    parsed.databasePath = *database;
    return parsed;
}

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
    const PredictArgs parsed = parsePredictArgs(args);
    const DrawHistory history = loadHistoryOrThrow(parsed.databasePath);
    const StartupSummary summary = computeStartupSummary(history);
    const AnalysisOptions options = ReadInitFile(parsed.settingsPath);

    PredictionEngine engine;
    engine.fillTables(history, summary.latestDrawNumber);
    out << predictionJson(engine.run(options)) << '\n';
}

} // namespace kazutama::cli
