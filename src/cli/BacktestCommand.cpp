// backtest: every stored draw predicted from the draws before it, each method's hits beside what a random
// pick of the same size would have done, and optionally the same for every shift the options give.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "prediction/Backtest.h"
#include "prediction/DrawWindow.h"
#include "settings/SettingsFile.h"

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>

namespace kazutama::cli {

namespace {

constexpr std::string_view kBacktestUsage = "backtest DB [--ini FILE] [--sweep] [--format json|csv]";

// Stable names for scripts, in the order of kBacktestMethodNames.
constexpr std::array<std::string_view, kBacktestMethodCount> kMethodKeys = {
    "cycle7", "cycle9", "cycle11", "cycle12", "elimination", "multiple", "oneShot"};

enum class Format { Json, Csv };

Format parseFormat(const std::string& name) {
    if (name == "json")
        return Format::Json;
    if (name == "csv")
        return Format::Csv;
    throw CliError{"不明な出力形式です: " + startOf(name) + "（json、csv のいずれかを指定してください）"};
}

std::string integer(int value) {
    return std::to_string(value);
}
std::string boolean(bool value) {
    return value ? "true" : "false";
}

template <std::size_t N, typename T, typename Format>
std::string fromOne(const std::array<T, N>& values, Format format) {
    return jsonArray(std::span(values).subspan(1), format); // [0] of a tier array is unused
}

std::string summaryJson(const MethodSummary& s) {
    return "{\"draws\": " + integer(s.draws) + ", \"hits\": " + jsonArray(s.hits, integer) +
           ", \"expectedHits\": " + jsonArray(s.expectedHits, jsonNumber) +
           ", \"bonusHits\": " + integer(s.bonusHits) +
           ", \"expectedBonusHits\": " + jsonNumber(s.expectedBonusHits) +
           ", \"meanHits\": " + jsonNumber(s.meanHits) +
           ", \"expectedMeanHits\": " + jsonNumber(s.expectedMeanHits) +
           ", \"tickets\": " + integer(s.tickets) + ", \"tiers\": " + fromOne(s.tiers, integer) +
           ", \"expectedTiers\": " + fromOne(s.expectedTiers, jsonNumber) + "}";
}

// {"oneShot": …, "multiple": …, "elimination": …, "cycle": […]} of one field of each outcome; `pools`
// false leaves out the multiple prediction and the elimination numbers, which are no tickets.
template <typename Field> std::string perMethod(const BacktestDraw& tested, Field field, bool pools) {
    std::string text = "{\"oneShot\": " + field(tested.outcomes[kOneShotMethod]);
    if (pools)
        text += ", \"multiple\": " + field(tested.outcomes[kMultipleMethod]) +
                ", \"elimination\": " + field(tested.outcomes[kEliminationMethod]);
    return text + ", \"cycle\": " + jsonArray(std::span(tested.outcomes).first(kCycleRowCount), field) + "}";
}

std::string mainHitsOf(const MethodOutcome& outcome) {
    return integer(outcome.mainHits);
}
std::string bonusHitOf(const MethodOutcome& outcome) {
    return boolean(outcome.bonusHit);
}
std::string tierOf(const MethodOutcome& outcome) {
    return outcome.tier > 0 ? integer(outcome.tier) : "null";
}

std::string drawJson(const BacktestDraw& tested) {
    return "{\"draw\": " + integer(tested.draw) + ", \"prediction\": " + predictionJson(tested.prediction) +
           ", \"mainHits\": " + perMethod(tested, mainHitsOf, true) +
           ", \"bonusHit\": " + perMethod(tested, bonusHitOf, true) +
           ", \"tier\": " + perMethod(tested, tierOf, false) + "}";
}

std::string optionsJson(const AnalysisOptions& options) {
    std::string text = "{";
    for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
        text += std::string(option ? ", " : "") + jsonString(kAnalysisOptionKeys[option]) + ": " +
                boolean(options[option]);
    return text + "}";
}

void writeJson(std::ostream& out, const BacktestResult& result, const std::vector<SweepRow>* sweep) {
    out << "{\"draws\": [";
    for (std::size_t i = 0; i < result.draws.size(); ++i)
        out << (i ? ",\n  " : "\n  ") << drawJson(result.draws[i]);
    out << (result.draws.empty() ? "" : "\n") << "], \"methods\": {";
    for (int method = 0; method < kBacktestMethodCount; ++method)
        out << (method ? ",\n  " : "\n  ") << jsonString(kMethodKeys[std::size_t(method)]) << ": "
            << summaryJson(result.methods[std::size_t(method)]);
    out << "\n}";
    if (sweep) {
        out << ", \"sweep\": [";
        for (std::size_t i = 0; i < sweep->size(); ++i) {
            const SweepRow& row = (*sweep)[i];
            out << (i ? ",\n  " : "\n  ") << "{\"shift\": " << row.shift
                << ", \"options\": " << optionsJson(row.example)
                << ", \"oneShot\": " << summaryJson(row.oneShot)
                << ", \"multiple\": " << summaryJson(row.multiple) << "}";
        }
        out << "\n]";
    }
    out << "}\n";
}

// The method's name without the blank that lines the cycle rows up on screen.
std::string_view plainName(int method) {
    std::string_view name = kBacktestMethodNames[std::size_t(method)];
    return name.substr(name.find_first_not_of(' '));
}

void writeDrawsCsv(std::ostream& out, const BacktestResult& result) {
    out << "回数";
    for (int i = 1; i <= kOneShotPredictionSize; ++i)
        out << ",１発予想" << i;
    for (int method = 0; method < kBacktestMethodCount; ++method)
        out << ',' << plainName(method) << "の一致数";
    out << ",１発予想の等級\n";
    for (const BacktestDraw& tested : result.draws) {
        out << tested.draw;
        const std::vector<int>& oneShot = tested.outcomes[kOneShotMethod].numbers;
        for (std::size_t i = 0; i < std::size_t(kOneShotPredictionSize); ++i) {
            out << ',';
            if (i < oneShot.size())
                out << oneShot[i];
        }
        for (const MethodOutcome& outcome : tested.outcomes)
            out << ',' << outcome.mainHits;
        out << ',';
        if (tested.outcomes[kOneShotMethod].tier > 0)
            out << tested.outcomes[kOneShotMethod].tier;
        out << "\n";
    }
}

void writeSweepCsv(std::ostream& out, const std::vector<SweepRow>& sweep) {
    out << "シフト,設定例,１発予想の平均一致数,１発予想の期待平均";
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        out << ",１発予想の" << tier << "等";
    out << ",連発予想の平均一致数,連発予想の期待平均\n";
    for (const SweepRow& row : sweep) {
        out << row.shift << ',';
        // The keys hold neither commas nor quotes, so the field needs no quoting.
        bool first = true;
        for (std::size_t option = 0; option < kAnalysisOptionCount; ++option) {
            if (!row.example[option])
                continue;
            out << (first ? "" : " ") << kAnalysisOptionKeys[option];
            first = false;
        }
        out << ',' << jsonNumber(row.oneShot.meanHits) << ',' << jsonNumber(row.oneShot.expectedMeanHits);
        for (int tier = 1; tier <= kPrizeTierCount; ++tier)
            out << ',' << row.oneShot.tiers[std::size_t(tier)];
        out << ',' << jsonNumber(row.multiple.meanHits) << ',' << jsonNumber(row.multiple.expectedMeanHits)
            << "\n";
    }
}

} // namespace

void runBacktest(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {"--ini", "--format"}, {"--sweep"}, {"データベースファイル"}, kBacktestUsage);
    const Format format = parseFormat(parsed.value("--format", "json"));
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    const DrawHistory& history = snapshot.history();
    const AnalysisOptions options = ReadInitFile(parsed.value("--ini", std::string(kSettingsFileName)));

    std::optional<std::vector<SweepRow>> sweep;
    if (parsed.has("--sweep"))
        sweep = runShiftSweep(history);
    if (format == Format::Csv && sweep) {
        writeSweepCsv(out, *sweep);
        return;
    }
    const BacktestResult result = kazutama::runBacktest(history, options);
    if (format == Format::Csv)
        writeDrawsCsv(out, result);
    else
        writeJson(out, result, sweep ? &*sweep : nullptr);
}

} // namespace kazutama::cli
