#include "tickets/TicketRules.h"

#include "common/TextEncoding.h"
#include "store/DrawSql.h"
#include "tickets/HistoryCheck.h"
#include "tickets/PickedNumbers.h"

#include <algorithm>

namespace kazutama {

namespace {

const DrawRecord* completeDraw(const DrawHistory& history, int drawNumber) {
    const auto& records = history.records();
    const auto it = std::lower_bound(records.begin(), records.end(), drawNumber,
                                     [](const DrawRecord& r, int d) { return r.drawNumber < d; });
    return it != records.end() && it->drawNumber == drawNumber && it->isComplete() ? &*it : nullptr;
}

std::size_t characters(std::string_view utf8) {
    return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string drawName(int drawNumber) {
    return "第" + std::to_string(drawNumber) + "回";
}

} // namespace

Result<Ticket> checkedTicket(std::vector<int> numbers, int firstDraw, int lastDraw, std::string memo) {
    auto checked = checkedNumbers(std::move(numbers), kMainCount, kMainCount, "購入数字");
    if (!checked)
        return checked.error();
    for (const auto& [draw, what] : {std::pair{firstDraw, "開始回"}, std::pair{lastDraw, "終了回"}})
        if (!isValidDrawNumber(draw))
            return makeError(ErrorCode::InvalidData, std::string(what) + "（" + std::to_string(draw) +
                                                         "）は " + std::to_string(kLowestDrawNumber) +
                                                         " から " + std::to_string(kHighestDrawNumber) +
                                                         " の回数で指定してください。");
    if (lastDraw < firstDraw)
        return makeError(ErrorCode::InvalidData, "終了回（" + drawName(lastDraw) + "）が開始回（" +
                                                     drawName(firstDraw) + "）より前です。");
    if (!isValidUtf8(memo))
        return makeError(ErrorCode::InvalidData, "メモの文字が読めません（UTF-8ではありません）。");
    if (std::any_of(memo.begin(), memo.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; }))
        return makeError(ErrorCode::InvalidData, "メモに改行や制御文字は使えません。");
    if (const std::size_t length = characters(memo); length > std::size_t(sql::kTicketMemoLength))
        return makeError(ErrorCode::InvalidData, "メモは " + std::to_string(sql::kTicketMemoLength) +
                                                     " 文字までです（" + std::to_string(length) +
                                                     " 文字あります）。");
    Ticket ticket;
    std::copy(checked->begin(), checked->end(), ticket.numbers.begin());
    ticket.firstDraw = firstDraw;
    ticket.lastDraw = lastDraw;
    ticket.memo = std::move(memo);
    return ticket;
}

TicketResult ticketResult(const Ticket& ticket, const DrawHistory& history) {
    TicketResult result;
    for (int d = ticket.firstDraw; d <= ticket.lastDraw; ++d) {
        TicketDraw& row = result.draws.emplace_back();
        row.drawNumber = d;
        const DrawRecord* draw = completeDraw(history, d);
        if (!draw) {
            ++result.pending;
            continue;
        }
        row.draw = *draw;
        const TicketHits hits = ticketHits(ticket.numbers, *draw);
        row.mainHits = hits.main;
        row.bonusHits = hits.bonus;
        row.tier = hits.tier;
        ++result.tierCounts[std::size_t(row.tier)];
    }
    return result;
}

std::string tierName(int tier) {
    return tier >= 1 && tier <= kPrizeTierCount ? std::to_string(tier) + "等" : "はずれ";
}

std::vector<std::string> newlyDrawnResults(const std::vector<Ticket>& tickets, const DrawHistory& before,
                                           const DrawHistory& after) {
    std::vector<std::string> lines;
    for (const DrawRecord& draw : after) {
        if (!draw.isComplete() || completeDraw(before, draw.drawNumber))
            continue;
        for (const Ticket& ticket : tickets) {
            if (draw.drawNumber < ticket.firstDraw || draw.drawNumber > ticket.lastDraw)
                continue;
            Ticket one = ticket;
            one.firstDraw = one.lastDraw = draw.drawNumber;
            const TicketResult result = ticketResult(one, after);
            const TicketDraw& row = result.draws.front();
            lines.push_back(
                drawName(draw.drawNumber) + ": 購入数字" + std::to_string(ticket.id) + " … " +
                tierName(row.tier) + "（本数字" + std::to_string(row.mainHits) + "個一致" +
                (row.bonusHits ? "、ボーナス数字" + std::to_string(row.bonusHits) + "個一致" : "") + "）");
        }
    }
    return lines;
}

} // namespace kazutama
