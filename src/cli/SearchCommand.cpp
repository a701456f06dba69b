// search: the complete draws that hold every one of the given numbers, and how many chance alone gives.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "tickets/NumberSearch.h"

#include <charconv>
#include <cstdio>
#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kSearchUsage = "search DB --numbers N,N,... [--bonus]";

std::vector<int> numbersFrom(std::string_view list) {
    std::vector<int> numbers;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        int n = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || error != std::errc() || end != item.data() + item.size())
            throw CliError{"探す数字「" + startOf(item) + "」が数字ではありません（" +
                           std::string(kSearchUsage) + "）"};
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

} // namespace

void runSearch(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {"--numbers"}, {"--bonus"}, {"データベースファイル"}, kSearchUsage);
    if (!parsed.values.contains("--numbers"))
        throw CliError{"探す数字を --numbers で指定してください（" + std::string(kSearchUsage) + "）"};
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    auto search =
        searchNumbers(snapshot.history(), numbersFrom(parsed.value("--numbers")), parsed.has("--bonus"));
    if (!search)
        throw CliError{search.error().message};
    const auto number = [](int n) { return std::to_string(n); };
    out << "{\"numbers\": " << jsonArray(search->numbers, number)
        << ", \"bonus\": " << (search->withBonus ? "true" : "false")
        << ", \"completeDraws\": " << search->completeDraws << ", \"found\": " << search->found.size()
        << ", \"expected\": " << decimal(search->expected) << ", \"draws\": "
        << jsonArray(search->found,
                     [&](const DrawRecord& draw) {
                         return "{\"draw\": " + std::to_string(draw.drawNumber) +
                                ", \"numbers\": " + jsonArray(draw.numbers, number) + "}";
                     })
        << "}\n";
}

} // namespace kazutama::cli
