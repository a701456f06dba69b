#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "store/StartupSummary.h"

#include <ostream>

namespace kazutama::cli {

void runSummary(const Args& args, std::ostream& out) {
    if (args.size() != 1)
        throw CliError{"引数が正しくありません。使い方: kazutama-cli summary DB"};
    const StartupSummary summary = computeStartupSummary(loadHistoryOrThrow(args[0]));
    out << "{\"latestDrawNumber\": " << summary.latestDrawNumber << ", \"maxCount\": " << summary.maxCount
        << ", \"groupRowCount\": " << summary.groupRowCount
        << ", \"numberCounts\": " << jsonArray(summary.numberCounts, [](int n) { return std::to_string(n); })
        << ", \"countGroups\": " << jsonArray(summary.countGroups, jsonString) << "}\n";
}

} // namespace kazutama::cli
