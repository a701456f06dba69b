// generate: tickets drawn from the combinations that pass the chosen filters, and for every filter the share
// of all combinations that pass beside the share of the past draws that did: a filter only picks which of the
// equally likely combinations to buy.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "generator/TicketDraw.h"
#include "settings/SettingsFile.h"
#include "tickets/PickedNumbers.h"

#include <charconv>
#include <iostream>
#include <ostream>
#include <random>

namespace kazutama::cli {

namespace {

constexpr std::string_view kGenerateUsage =
    "generate DB [--include N,…] [--exclude N,…] [--sum A-B] [--odd A-B] [--low A-B] [--consecutive A-B] "
    "[--stepping A-B] [--previous A-B] [--same-last-digit-max K] [--past-match-max K] "
    "[--pool elimination|multiple|cycle7|cycle9|cycle11|cycle12] [--ini FILE] [--count N] [--seed S] "
    "[--format json|csv]";
constexpr std::int64_t kMostTickets = 100'000;

// The options of the range filters, in the order of kRangeFilters.
constexpr std::array<std::string_view, kRangeFilters.size()> kRangeOptions = {
    "--sum", "--odd", "--low", "--consecutive", "--stepping", "--previous"};

std::vector<int> numbersOption(const ParsedArgs& parsed, std::string_view option, std::string_view what,
                               int most) {
    const std::string typed = parsed.value(option);
    return orThrow(checkedNumbers(orThrow(numbersFromText(typed, what)), 1, most, what));
}

// A whole decimal number, or the run ends naming the option.
std::uint64_t unsignedOption(const std::string& text, std::string_view what) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw CliError{std::string(what) + "「" + startOf(text) + "」は 0 以上の整数ではありません。"};
    return value;
}

CombinationFilters filtersOf(const ParsedArgs& parsed, const Snapshot& snapshot) {
    CombinationFilters filters;
    if (parsed.values.contains("--include"))
        filters.include = numbersOption(parsed, "--include", "必ず含める数字", kMainCount);
    if (parsed.values.contains("--exclude"))
        filters.exclude = numbersOption(parsed, "--exclude", "除外する数字", kHighestNumber);
    for (std::size_t i = 0; i < kRangeFilters.size(); ++i)
        if (parsed.values.contains(kRangeOptions[i]))
            filters.ranges[i] = orThrow(rangeFromText(kRangeFilters[i].kind, parsed.value(kRangeOptions[i])));
    if (parsed.values.contains("--same-last-digit-max"))
        filters.sameLastDigitMax =
            orThrow(boundFromText(FilterKind::SameLastDigitMax, parsed.value("--same-last-digit-max")));
    if (parsed.values.contains("--past-match-max"))
        filters.pastMatchMax =
            orThrow(boundFromText(FilterKind::PastMatchMax, parsed.value("--past-match-max")));
    if (parsed.values.contains("--pool")) {
        filters.poolKind = orThrow(poolFromText(parsed.value("--pool")));
        const AnalysisOptions options = ReadInitFile(parsed.value("--ini", std::string(kSettingsFileName)));
        filters.pool = predictionPool(*filters.poolKind, snapshot, options);
    }
    return filters;
}

std::string integer(std::int64_t n) {
    return std::to_string(n);
}

std::string outcomeJson(const FilterOutcome& outcome) {
    return "\"passing\": " + integer(outcome.passing) + ", \"pastPassing\": " + integer(outcome.pastPassing) +
           ", \"p\": " + jsonNumber(outcome.p);
}

void writeJson(std::ostream& out, const CombinationFilters& filters, const GeneratorCounts& counts,
               std::uint64_t seed, const std::vector<Combination>& tickets) {
    out << "{\"total\": " << kCombinationCount << ", \"passing\": " << counts.all.passing
        << ", \"pastDraws\": " << counts.pastDraws << ", \"pastPassing\": " << counts.all.pastPassing
        << ", \"p\": " << jsonNumber(counts.all.p) << ", \"filters\": "
        << jsonArray(counts.filters,
                     [](const auto& filter) {
                         return "{\"name\": " + jsonString(kFilterNames[std::size_t(filter.first)]) + ", " +
                                outcomeJson(filter.second) + "}";
                     })
        << ", \"pool\": " << (filters.poolKind ? jsonArray(filters.pool, integer) : "null")
        << ", \"seed\": " << seed << ", \"tickets\": "
        << jsonArray(tickets, [](const Combination& ticket) { return jsonArray(ticket, integer); }) << "}\n";
}

void writeCsv(std::ostream& out, const std::vector<Combination>& tickets) {
    out << "第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字\n";
    for (const Combination& ticket : tickets) {
        for (std::size_t i = 0; i < ticket.size(); ++i)
            out << (i > 0 ? "," : "") << ticket[i];
        out << '\n';
    }
}

} // namespace

void runGenerate(const Args& args, std::ostream& out) {
    const ParsedArgs parsed = parseArgs(
        args,
        {"--include", "--exclude", "--sum", "--odd", "--low", "--consecutive", "--stepping", "--previous",
         "--same-last-digit-max", "--past-match-max", "--pool", "--ini", "--count", "--seed", "--format"},
        {}, {"データベースファイル"}, kGenerateUsage);
    const std::string format = parsed.value("--format", "json");
    if (format != "json" && format != "csv")
        throw CliError{"不明な出力形式です: " + startOf(format) +
                       "（json、csv のいずれかを指定してください）"};
    const std::uint64_t count = unsignedOption(parsed.value("--count", "10"), "作る数字の組数");
    if (count > std::uint64_t(kMostTickets))
        throw CliError{"作る数字の組数は " + integer(kMostTickets) + " 組までにしてください。"};
    std::uint64_t seed = 0;
    if (parsed.values.contains("--seed")) {
        seed = unsignedOption(parsed.value("--seed"), "乱数の種");
    } else {
        std::random_device device;
        seed = (std::uint64_t(device()) << 32) ^ device();
    }

    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    const CombinationFilters filters = filtersOf(parsed, snapshot);
    const GeneratorCounts counts = countCombinations(filters, snapshot.history());
    const std::vector<Combination> tickets =
        drawTickets(counts.passingBits, counts.all.passing, std::int64_t(count), seed);

    if (filters.poolKind && filters.pool.size() < std::size_t(kMainCount))
        std::cerr << "kazutama-cli: 予想の候補 " << kPoolNames[std::size_t(*filters.poolKind)] << " は "
                  << filters.pool.size() << " 個の数字しかないため、7 個の組み合わせは作れません。\n";
    else if (counts.all.passing == 0)
        std::cerr << "kazutama-cli: すべての条件を満たす組み合わせはありません。\n";
    if (format == "csv")
        writeCsv(out, tickets);
    else
        writeJson(out, filters, counts, seed, tickets);
}

} // namespace kazutama::cli
