#include "store/TicketStore.h"

#include "store/DrawSql.h"
#include "store/Transaction.h"

#include <functional>

namespace kazutama {

namespace {

Status bindTicket(Statement& statement, const Ticket& ticket) {
    for (int i = 0; i < kMainCount; ++i)
        if (auto s = statement.bindInt(i + 2, ticket.numbers[std::size_t(i)]); !s)
            return s;
    if (auto s = statement.bindInt(9, ticket.firstDraw); !s)
        return s;
    if (auto s = statement.bindInt(10, ticket.lastDraw); !s)
        return s;
    return statement.bindText(11, ticket.memo);
}

Error invalidTicket(const Ticket& ticket) {
    return makeError(ErrorCode::InvalidData, "購入数字（第" + std::to_string(ticket.firstDraw) + "回から第" +
                                                 std::to_string(ticket.lastDraw) + "回）に誤りがあります。");
}

// The stored ticket with the id of `expected`, if it is still exactly `expected`.
Result<bool> stillStored(DrawStore& store, const Ticket& expected) {
    auto tickets = loadTickets(store);
    if (!tickets)
        return tickets.error();
    for (const Ticket& stored : tickets.value())
        if (stored.id == expected.id)
            return stored == expected;
    return false;
}

Result<DrawStore::WriteOutcome> changeTicket(DrawStore& store, const Ticket& expected,
                                             const Ticket* changed) {
    auto tx = store.beginExtrasWrite();
    if (!tx)
        return tx.error();
    auto same = stillStored(store, expected);
    if (!same)
        return same.error();
    if (!same.value())
        return DrawStore::WriteOutcome::ChangedElsewhere;
    auto statement = store.database().prepare(changed ? sql::updateTicket() : sql::deleteTicket());
    if (!statement)
        return statement.error();
    if (auto s = statement->bindInt(1, expected.id); !s)
        return s.error();
    if (changed)
        if (auto s = bindTicket(*statement, *changed); !s)
            return s.error();
    if (auto done = statement->step(); !done)
        return changed ? invalidTicket(*changed) : done.error();
    if (auto s = tx->commit(); !s)
        return s.error();
    return DrawStore::WriteOutcome::Written;
}

// Every row of a query on the tickets' or the dates' tables; none in a file that does not have them yet.
Status eachExtraRow(DrawStore& store, const std::string& sql,
                    const std::function<void(const Statement&)>& take) {
    auto has = store.hasExtras();
    if (!has)
        return has.error();
    if (!has.value())
        return Ok{};
    auto query = store.database().prepare(sql);
    if (!query)
        return query.error();
    while (true) {
        auto row = query->step();
        if (!row)
            return row.error();
        if (!row.value())
            return Ok{};
        take(*query);
    }
}

} // namespace

Result<std::vector<Ticket>> loadTickets(DrawStore& store) {
    std::vector<Ticket> tickets;
    auto read = eachExtraRow(store, sql::selectTickets(), [&](const Statement& row) {
        Ticket& ticket = tickets.emplace_back();
        ticket.id = row.intValue(0);
        for (int i = 0; i < kMainCount; ++i)
            ticket.numbers[std::size_t(i)] = row.intValue(i + 1);
        ticket.firstDraw = row.intValue(8);
        ticket.lastDraw = row.intValue(9);
        ticket.memo = row.textValue(10);
    });
    if (!read)
        return read.error();
    return tickets;
}

Result<std::vector<int>> addTickets(DrawStore& store, const std::vector<Ticket>& tickets) {
    std::vector<int> ids;
    if (tickets.empty())
        return ids;
    auto tx = store.beginExtrasWrite();
    if (!tx)
        return tx.error();
    for (const Ticket& ticket : tickets) {
        auto insert = store.database().prepare(sql::insertTicket());
        if (!insert)
            return insert.error();
        if (auto s = bindTicket(*insert, ticket); !s)
            return s.error();
        if (auto done = insert->step(); !done)
            return invalidTicket(ticket);
        auto id = store.database().prepare(sql::selectInsertedId());
        if (!id)
            return id.error();
        if (auto row = id->step(); !row || !row.value())
            return row ? invalidTicket(ticket) : row.error();
        ids.push_back(id->intValue(0));
    }
    if (auto s = tx->commit(); !s)
        return s.error();
    return ids;
}

Result<DrawStore::WriteOutcome> updateTicket(DrawStore& store, const Ticket& expected,
                                             const Ticket& changed) {
    return changeTicket(store, expected, &changed);
}

Result<DrawStore::WriteOutcome> deleteTicket(DrawStore& store, const Ticket& expected) {
    return changeTicket(store, expected, nullptr);
}

Result<DrawDates> loadDrawDates(DrawStore& store) {
    DrawDates dates;
    auto read = eachExtraRow(store, sql::selectDates(), [&](const Statement& row) {
        // The table holds only calendar dates; anything else could only be another program's doing.
        if (const auto date = DrawDates::fromIso(row.textValue(1)))
            dates.set(row.intValue(0), *date);
    });
    if (!read)
        return read.error();
    return dates;
}

Result<int> storeDrawDates(DrawStore& store, const DrawDates& dates) {
    auto stored = loadDrawDates(store);
    if (!stored)
        return stored.error();
    std::vector<std::pair<int, DrawDates::Date>> changed;
    for (const auto& [draw, date] : dates.all())
        if (const auto it = stored->all().find(draw); it == stored->all().end() || it->second != date)
            changed.emplace_back(draw, date);
    if (changed.empty())
        return 0;
    auto tx = store.beginExtrasWrite();
    if (!tx)
        return tx.error();
    for (const auto& [draw, date] : changed) {
        auto statement = store.database().prepare(sql::storeDate());
        if (!statement)
            return statement.error();
        if (auto s = statement->bindInt(1, draw); !s)
            return s.error();
        if (auto s = statement->bindText(2, DrawDates::iso(date)); !s)
            return s.error();
        if (auto done = statement->step(); !done)
            return done.error();
    }
    if (auto s = tx->commit(); !s)
        return s.error();
    return int(changed.size());
}

} // namespace kazutama
