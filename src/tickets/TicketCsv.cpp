#include "tickets/TicketCsv.h"

#include "common/QuotedInput.h"
#include "grid/GridExport.h"
#include "store/ImportText.h"
#include "tickets/TicketRules.h"

namespace kazutama {

namespace {

using namespace importtext;

// The headings without the id column, as headingKey reduces them.
std::vector<std::string> headingKeys(std::string_view line) {
    std::vector<std::string> keys;
    for (const std::string& field : splitFields(line))
        keys.push_back(headingKey(field));
    return keys;
}

} // namespace

std::string formatTicketCsv(const std::vector<Ticket>& tickets) {
    std::string out(kTicketCsvHeader);
    out += '\n';
    for (const Ticket& ticket : tickets) {
        out += std::to_string(ticket.id);
        for (int n : ticket.numbers)
            out += ',' + std::to_string(n);
        out += ',' + std::to_string(ticket.firstDraw) + ',' + std::to_string(ticket.lastDraw) + ',' +
               GridExport::csvField(ticket.memo) + '\n';
    }
    return out;
}

Result<std::vector<Ticket>> parseTicketCsv(std::string_view bytes) {
    auto lines = csvLines(bytes);
    if (!lines)
        return lines.error();
    const std::vector<std::string> full = headingKeys(kTicketCsvHeader);
    const std::vector<std::string> keys = headingKeys(lines->front().text);
    const bool withId = keys == full;
    if (!withId && keys != std::vector<std::string>(full.begin() + 1, full.end()))
        return lineError(lines->front().number,
                         "見出しが購入数字のCSVではありません（「" + std::string(kTicketCsvHeader) + "」）");
    const std::size_t columns = full.size() - (withId ? 0 : 1);
    std::vector<Ticket> tickets;
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const Line& line = (*lines)[i];
        std::vector<std::string> fields = splitFields(line.text);
        if (fields.size() != columns)
            return lineError(line.number, "列の数が " + std::to_string(fields.size()) + " です（" +
                                              std::to_string(columns) + " 列のはずです）");
        if (withId)
            fields.erase(fields.begin());
        std::vector<int> values;
        for (std::size_t f = 0; f + 1 < fields.size(); ++f) {
            const auto value = wholeNumber(toHalfWidth(fields[f]));
            if (!value)
                return lineError(line.number, quoteInput(fields[f]) + "が数字ではありません");
            values.push_back(*value);
        }
        auto ticket =
            checkedTicket(std::vector<int>(values.begin(), values.begin() + kMainCount), values[kMainCount],
                          values[kMainCount + 1], std::string(trim(fields.back())));
        if (!ticket)
            return lineError(line.number, ticket.error().message);
        tickets.push_back(std::move(ticket).value());
    }
    return tickets;
}

} // namespace kazutama
