#include "cli/CliCommands.h"
#include "common/JsonText.h"

#include <ostream>

namespace kazutama::cli {

void runSummary(const Args& args, std::ostream& out) {
    if (args.size() != 1)
        throw CliError{"引数が正しくありません。使い方: kazutama-cli summary DB"};
    const Snapshot snapshot = loadSnapshotOrThrow(args[0]);
    const StartupSummary& summary = snapshot.summary();
    out << "{\"latestDrawNumber\": " << summary.latestDrawNumber << ", \"maxCount\": " << summary.maxCount
        << ", \"groupRowCount\": " << summary.groupRowCount
        << ", \"numberCounts\": " << jsonArray(summary.numberCounts, [](int n) { return std::to_string(n); })
        << ", \"countGroups\": " << jsonArray(summary.countGroups, jsonString) << "}\n";
}

} // namespace kazutama::cli
