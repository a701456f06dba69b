// search: the complete draws that hold every one of the given numbers, and how many chance alone gives.
// check: seven numbers against every complete draw, each prize tier and hit count beside chance's.

#include "cli/CliCommands.h"
#include "common/JsonText.h"
#include "store/HistoryCsv.h"
#include "tickets/HistoryCheck.h"
#include "tickets/NumberSearch.h"
#include "tickets/PickedNumbers.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <span>

namespace kazutama::cli {

namespace {

constexpr std::string_view kSearchUsage = "search DB N... [--with-bonus] [--format json|csv]";
constexpr std::string_view kCheckUsage = "check DB N1 … N7 [--format json]";

enum class Format { Json, Csv };

Format parseFormat(const std::string& name, bool csv) {
    if (name == "json")
        return Format::Json;
    if (csv && name == "csv")
        return Format::Csv;
    throw CliError{"不明な出力形式です: " + startOf(name) + "（" + (csv ? "json、csv のいずれか" : "json") +
                   "を指定してください）"};
}

// The numbers after the database, as typed; their count, range and repeats are the core's to check.
std::vector<int> numbersOf(const ParsedArgs& parsed, std::string_view what) {
    return orThrow(typedNumbers(std::vector(parsed.positional.begin() + 1, parsed.positional.end()), what));
}

std::string integer(int n) {
    return std::to_string(n);
}

// The main numbers ascending (their order on the ticket of the draw means nothing), the bonus numbers as
// drawn.
std::array<int, kMainCount> sortedMain(const DrawRecord& draw) {
    std::array<int, kMainCount> main{};
    std::copy_n(draw.numbers.begin(), kMainCount, main.begin());
    std::sort(main.begin(), main.end());
    return main;
}
std::span<const int> bonusOf(const DrawRecord& draw) {
    return std::span(draw.numbers).subspan(kMainCount);
}

std::string drawJson(const DrawRecord& draw) {
    return "{\"draw\": " + integer(draw.drawNumber) + ", \"main\": " + jsonArray(sortedMain(draw), integer) +
           ", \"bonus\": " + jsonArray(bonusOf(draw), integer) + "}";
}

// {"1": values[1], …, "6": values[6]}: by prize tier, as the tiers are called.
template <typename T, typename Format>
std::string byTier(const std::array<T, kPrizeTierCount + 1>& values, Format format) {
    std::string text = "{";
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        text += (tier > 1 ? ", \"" : "\"") + integer(tier) + "\": " + format(values[std::size_t(tier)]);
    return text + "}";
}

void writeSearchJson(std::ostream& out, const NumberSearch& search) {
    out << "{\"numbers\": " << jsonArray(search.numbers, integer)
        << ", \"withBonus\": " << (search.withBonus ? "true" : "false")
        << ", \"completeDraws\": " << search.completeDraws << ", \"count\": " << search.found.size()
        << ", \"expected\": " << jsonNumber(search.expected)
        << ", \"draws\": " << jsonArray(search.found, drawJson) << "}\n";
}

// As `export` writes the history (the same headings, so the file reads back in), one line per draw found.
void writeSearchCsv(std::ostream& out, const NumberSearch& search) {
    out << kHistoryCsvHeader << '\n';
    for (const DrawRecord& draw : search.found) {
        out << draw.drawNumber;
        for (int n : sortedMain(draw))
            out << ',' << n;
        for (int n : bonusOf(draw))
            out << ',' << n;
        out << '\n';
    }
}

} // namespace

void runSearch(const Args& args, std::ostream& out) {
    const ParsedArgs parsed = parseArgs(args, {"--format"}, {"--with-bonus"},
                                        {"データベースファイル", kSearchedNumbers}, kSearchUsage, true);
    const Format format = parseFormat(parsed.value("--format", "json"), true);
    const std::vector<int> numbers = numbersOf(parsed, kSearchedNumbers);
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    const NumberSearch search =
        orThrow(searchNumbers(snapshot.history(), numbers, parsed.has("--with-bonus")));
    if (format == Format::Csv)
        writeSearchCsv(out, search);
    else
        writeSearchJson(out, search);
}

void runCheck(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {"--format"}, {}, {"データベースファイル", kCheckedNumbers}, kCheckUsage, true);
    parseFormat(parsed.value("--format", "json"), false);
    const std::vector<int> numbers = numbersOf(parsed, kCheckedNumbers);
    const Snapshot snapshot = loadSnapshotOrThrow(parsed.positional[0]);
    const HistoryCheck check = orThrow(checkAgainstHistory(snapshot.history(), numbers));
    const auto bestJson = [&](const DrawRecord& draw) {
        const TicketHits hits = ticketHits(check.numbers, draw);
        return "{\"draw\": " + integer(draw.drawNumber) + ", \"mainHits\": " + integer(hits.main) +
               ", \"bonusHits\": " + integer(hits.bonus) +
               ", \"tier\": " + (hits.tier > 0 ? integer(hits.tier) : "null") + "}";
    };
    out << "{\"numbers\": " << jsonArray(check.numbers, integer)
        << ", \"completeDraws\": " << check.completeDraws
        << ", \"mainHits\": " << jsonArray(check.mainHitCounts, integer)
        << ", \"expectedMainHits\": " << jsonArray(check.mainHitExpected, jsonNumber)
        << ", \"tiers\": " << byTier(check.tierCounts, integer)
        << ", \"expectedTiers\": " << byTier(check.tierExpected, jsonNumber)
        << ", \"best\": " << jsonArray(check.bestDraws, bestJson) << "}\n";
}

} // namespace kazutama::cli
