// tickets: the numbers a player bought, kept in the history file: added, listed, deleted, checked
// against the draws, and carried in and out as CSV.

#include "cli/CliCommands.h"
#include "common/FileWrite.h"
#include "common/JsonText.h"
#include "store/Backups.h"
#include "store/ImportText.h"
#include "store/TicketStore.h"
#include "store/Workspace.h"
#include "tickets/TicketCsv.h"
#include "tickets/TicketRules.h"

#include <iostream>
#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kUsage =
    "tickets DB add N1 … N7 --from D [--to D] [--memo TEXT] | list [--format json|csv] | delete ID | "
    "check [--format json] | import FILE.csv | export FILE.csv";

template <typename T> T orThrow(Result<T> result) {
    if (!result)
        throw CliError{result.error().message};
    return std::move(result).value();
}

int wholeNumberOrThrow(std::string_view text, std::string_view what) {
    const auto value = importtext::wholeNumber(importtext::toHalfWidth(text));
    if (!value)
        throw CliError{std::string(what) + "「" + startOf(text) + "」が数字ではありません"};
    return *value;
}

// The store of an existing file, backed up before its first write as every writing command does.
struct OpenedStore {
    explicit OpenedStore(const std::string& path)
        : connection(ConnectionString::forDatabase(path)),
          backup(Backups(connection),
                 [](const std::string& notice) { std::cerr << "注: " << notice << '\n'; }),
          store(orThrow(DrawStore::open(connection))) {
        store.backUpBeforeWriting(&backup);
    }
    ConnectionString connection;
    BackupOnFirstWrite backup;
    DrawStore store;
};

std::string number(int n) {
    return std::to_string(n);
}

std::string ticketFields(const Ticket& ticket) {
    return "\"id\": " + number(ticket.id) + ", \"numbers\": " + jsonArray(ticket.numbers, number) +
           ", \"from\": " + number(ticket.firstDraw) + ", \"to\": " + number(ticket.lastDraw) +
           ", \"memo\": " + jsonString(ticket.memo);
}

std::string resultJson(const TicketDraw& row) {
    if (row.pending())
        return "{\"draw\": " + number(row.drawNumber) + ", \"pending\": true}";
    return "{\"draw\": " + number(row.drawNumber) + ", \"mainHits\": " + number(row.mainHits) +
           ", \"bonusHits\": " + number(row.bonusHits) +
           ", \"tier\": " + (row.tier ? number(row.tier) : std::string("null")) + "}";
}

std::string tierCountsJson(const TicketResult& result) {
    std::string out = "{";
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        out +=
            (tier > 1 ? ", \"" : "\"") + number(tier) + "\": " + number(result.tierCounts[std::size_t(tier)]);
    return out + "}";
}

void add(const ParsedArgs& parsed, std::ostream& out) {
    std::vector<int> numbers;
    for (std::size_t i = 2; i < parsed.positional.size(); ++i)
        numbers.push_back(wholeNumberOrThrow(parsed.positional[i], "購入数字"));
    if (!parsed.values.contains("--from"))
        throw CliError{"購入した回を --from で指定してください。使い方: kazutama-cli " + std::string(kUsage)};
    const int first = wholeNumberOrThrow(parsed.value("--from"), "開始回");
    const int last =
        parsed.values.contains("--to") ? wholeNumberOrThrow(parsed.value("--to"), "終了回") : first;
    const Ticket ticket = orThrow(checkedTicket(numbers, first, last, parsed.value("--memo")));
    OpenedStore opened(parsed.positional[0]);
    out << orThrow(addTickets(opened.store, {ticket})).front() << '\n';
}

void list(const ParsedArgs& parsed, std::ostream& out) {
    OpenedStore opened(parsed.positional[0]);
    const std::vector<Ticket> tickets = orThrow(loadTickets(opened.store));
    const std::string format = parsed.value("--format", "json");
    if (format == "csv")
        out << formatTicketCsv(tickets);
    else if (format == "json")
        out << "{\"tickets\": "
            << jsonArray(tickets, [](const Ticket& t) { return "{" + ticketFields(t) + "}"; }) << "}\n";
    else
        throw CliError{"出力形式「" + startOf(format) + "」は使えません（json か csv）"};
}

void remove(const ParsedArgs& parsed, std::ostream& out) {
    const int id = wholeNumberOrThrow(parsed.positional[2], "購入数字の番号");
    OpenedStore opened(parsed.positional[0]);
    for (const Ticket& ticket : orThrow(loadTickets(opened.store)))
        if (ticket.id == id) {
            if (orThrow(deleteTicket(opened.store, ticket)) != DrawStore::WriteOutcome::Written)
                throw CliError{"購入数字 " + number(id) +
                               " は、ほかのプログラムが変更したため削除しませんでした。"};
            out << "購入数字 " << id << " を削除しました。\n";
            return;
        }
    throw CliError{"購入数字 " + number(id) + " はありません。"};
}

void check(const ParsedArgs& parsed, std::ostream& out) {
    if (const std::string format = parsed.value("--format", "json"); format != "json")
        throw CliError{"出力形式「" + startOf(format) + "」は使えません（json）"};
    OpenedStore opened(parsed.positional[0]);
    const std::vector<Ticket> tickets = orThrow(loadTickets(opened.store));
    const DrawHistory history = orThrow(opened.store.loadHistory());
    out << "{\"tickets\": " << jsonArray(tickets, [&](const Ticket& ticket) {
        const TicketResult result = ticketResult(ticket, history);
        return "{" + ticketFields(ticket) + ", \"tiers\": " + tierCountsJson(result) +
               ", \"results\": " + jsonArray(result.draws, resultJson) + "}";
    }) << "}\n";
}

void importFile(const ParsedArgs& parsed, std::ostream& out) {
    // The file is checked completely before the database is touched.
    const auto tickets = orThrow(importtext::parseFile(parsed.positional[2], parseTicketCsv));
    OpenedStore opened(parsed.positional[0]);
    const auto ids = orThrow(addTickets(opened.store, tickets));
    out << "購入数字を取り込みました: " << ids.size() << " 件\n";
}

void exportFile(const ParsedArgs& parsed, std::ostream& out) {
    OpenedStore opened(parsed.positional[0]);
    const std::string csv = formatTicketCsv(orThrow(loadTickets(opened.store)));
    if (parsed.positional.size() == 2) {
        out << csv;
        return;
    }
    orThrow(writeWholeFile(parsed.positional[2], csv, "CSVファイル"));
}

} // namespace

void runTickets(const Args& args, std::ostream& out) {
    // The action comes after the database; it tells which arguments follow. The numbers of `add` are
    // positional, as many names as a ticket has numbers, so that a missing one is named and an extra one
    // refused.
    const std::string action = args.size() > 1 ? args[1] : std::string();
    const auto parse = [&](std::initializer_list<std::string_view> values,
                           std::initializer_list<std::string_view> names) {
        return parseArgs(args, values, {}, names, kUsage);
    };
    if (action == "add")
        add(parse({"--from", "--to", "--memo"}, {"データベースファイル", "操作", "数字1", "数字2", "数字3",
                                                 "数字4", "数字5", "数字6", "数字7"}),
            out);
    else if (action == "list")
        list(parse({"--format"}, {"データベースファイル", "操作"}), out);
    else if (action == "check")
        check(parse({"--format"}, {"データベースファイル", "操作"}), out);
    else if (action == "delete")
        remove(parse({}, {"データベースファイル", "操作", "購入数字の番号"}), out);
    else if (action == "import")
        importFile(parse({}, {"データベースファイル", "操作", "CSVファイル"}), out);
    else if (action == "export" && args.size() > 2)
        exportFile(parse({}, {"データベースファイル", "操作", "CSVファイル"}), out);
    else if (action == "export")
        exportFile(parse({}, {"データベースファイル", "操作"}), out);
    else
        throw CliError{"操作「" + startOf(action) +
                       "」はありません（add、list、delete、check、import、export）。使い方: kazutama-cli " +
                       std::string(kUsage)};
}

} // namespace kazutama::cli
