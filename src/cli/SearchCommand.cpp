// search: the complete draws that hold every one of the given numbers, and how many chance alone gives.
// check: seven numbers against every complete draw, each prize tier and hit count beside chance's.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "tickets/HistoryCheck.h"
#include "tickets/NumberSearch.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kSearchUsage = "search DB --numbers N,N,... [--bonus]";
constexpr std::string_view kCheckUsage = "check DB --numbers N,N,N,N,N,N,N";

std::vector<int> numbersFrom(std::string_view list, std::string_view usage) {
    std::vector<int> numbers;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        int n = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || error != std::errc() || end != item.data() + item.size())
            throw CliError{"数字「" + startOf(item) + "」が数字ではありません（" + std::string(usage) + "）"};
        numbers.push_back(n);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return numbers;
}

std::string decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string number(int n) {
    return std::to_string(n);
}

std::string drawJson(const DrawRecord& draw) {
    return "{\"draw\": " + number(draw.drawNumber) + ", \"numbers\": " + jsonArray(draw.numbers, number) +
           "}";
}

// {"<key>": i, "count": counts[i], "expected": expected[i]} for every i.
template <std::size_t N>
std::string countsJson(std::string_view key, const std::array<int, N>& counts,
                       const std::array<double, N>& expected) {
    std::vector<std::size_t> indices(N);
    for (std::size_t i = 0; i < N; ++i)
        indices[i] = i;
    return jsonArray(indices, [&](std::size_t i) {
        return "{\"" + std::string(key) + "\": " + std::to_string(i) + ", \"count\": " + number(counts[i]) +
               ", \"expected\": " + decimal(expected[i]) + "}";
    });
}

// The numbers of --numbers, which the command cannot do without.
std::vector<int> requiredNumbers(const ParsedArgs& parsed, std::string_view usage) {
    if (!parsed.values.contains("--numbers"))
        throw CliError{"数字を --numbers で指定してください（" + std::string(usage) + "）"};
    return numbersFrom(parsed.value("--numbers"), usage);
}

} // namespace

void runSearch(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {"--numbers"}, {"--bonus"}, {"データベースファイル"}, kSearchUsage);
    const std::vector<int> numbers = requiredNumbers(parsed, kSearchUsage);
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    auto search = searchNumbers(snapshot.history(), numbers, parsed.has("--bonus"));
    if (!search)
        throw CliError{search.error().message};
    out << "{\"numbers\": " << jsonArray(search->numbers, number)
        << ", \"bonus\": " << (search->withBonus ? "true" : "false")
        << ", \"completeDraws\": " << search->completeDraws << ", \"found\": " << search->found.size()
        << ", \"expected\": " << decimal(search->expected)
        << ", \"draws\": " << jsonArray(search->found, drawJson) << "}\n";
}

void runCheck(const Args& args, std::ostream& out) {
    const ParsedArgs parsed = parseArgs(args, {"--numbers"}, {}, {"データベースファイル"}, kCheckUsage);
    const std::vector<int> numbers = requiredNumbers(parsed, kCheckUsage);
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    auto check = checkAgainstHistory(snapshot.history(), numbers);
    if (!check)
        throw CliError{check.error().message};
    out << "{\"numbers\": " << jsonArray(check->numbers, number)
        << ", \"completeDraws\": " << check->completeDraws
        << ", \"tiers\": " << countsJson("tier", check->tierCounts, check->tierExpected)
        << ", \"mainHits\": " << countsJson("hits", check->mainHitCounts, check->mainHitExpected)
        << ", \"best\": {\"tier\": " << check->bestTier << ", \"mainHits\": " << check->bestMainHits
        << ", \"draws\": " << jsonArray(check->bestDraws, drawJson) << "}}\n";
}

} // namespace kazutama::cli
