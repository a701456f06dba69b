// The tickets and dates beside the draws: how a file gains their tables, and which files are refused.

#include "store/TicketStore.h"

#include "store/DrawSql.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::readFile;
using test::TempDir;

Ticket ticket(std::array<int, kMainCount> numbers, int first, int last, std::string memo = {}) {
    return Ticket{0, numbers, first, last, std::move(memo)};
}

int userVersion(DrawStore& store) {
    auto query = store.database().prepare("PRAGMA user_version");
    EXPECT_TRUE(query && query->step().value());
    return query->intValue(0);
}

class TicketStoreTest : public ::testing::Test {
protected:
    ConnectionString connection() const { return ConnectionString::forDatabase(m_dir / "Kazutama.mdb"); }
    DrawStore open() {
        auto store = DrawStore::open(connection());
        EXPECT_TRUE(store) << (store ? "" : store.error().message);
        return std::move(store).value();
    }
    void SetUp() override { ASSERT_TRUE(DrawStore::create(connection())); }
    TempDir m_dir;
};

TEST_F(TicketStoreTest, AFileGainsTheTablesAtItsFirstTicketAndKeepsThem) {
    DrawStore store = open();
    EXPECT_TRUE(loadTickets(store)->empty());
    EXPECT_TRUE(loadDrawDates(store)->empty());
    EXPECT_EQ(userVersion(store), sql::kDrawsOnlyVersion);

    // A write the tables refuse leaves the file as it was, of the first version.
    const auto refused = addTickets(store, {ticket({7, 6, 5, 4, 3, 2, 1}, 1, 1)}); // not ascending
    ASSERT_FALSE(refused);
    EXPECT_EQ(userVersion(store), sql::kDrawsOnlyVersion);

    const auto ids = addTickets(
        store, {ticket({1, 2, 3, 4, 5, 6, 7}, 10, 12, "毎週"), ticket({8, 9, 10, 11, 12, 13, 37}, 11, 11)});
    ASSERT_TRUE(ids) << ids.error().message;
    ASSERT_EQ(ids->size(), 2u);
    EXPECT_EQ(userVersion(store), sql::kSchemaVersion);

    DrawStore again = open(); // the schema check accepts the second version's tables
    auto tickets = loadTickets(again);
    ASSERT_TRUE(tickets);
    ASSERT_EQ(tickets->size(), 2u);
    EXPECT_EQ((*tickets)[0], (Ticket{(*ids)[0], {1, 2, 3, 4, 5, 6, 7}, 10, 12, "毎週"}));

    Ticket changed = (*tickets)[1];
    changed.lastDraw = 20;
    EXPECT_EQ(updateTicket(again, (*tickets)[1], changed).value(), DrawStore::WriteOutcome::Written);
    // Another program's copy of the old ticket no longer matches: nothing is written.
    EXPECT_EQ(deleteTicket(again, (*tickets)[1]).value(), DrawStore::WriteOutcome::ChangedElsewhere);
    EXPECT_EQ(deleteTicket(again, changed).value(), DrawStore::WriteOutcome::Written);
    EXPECT_EQ(loadTickets(again)->size(), 1u);
}

TEST_F(TicketStoreTest, DatesAreStoredOnlyWhenTheyChangeSomething) {
    DrawStore store = open();
    DrawDates dates;
    dates.set(1, *DrawDates::fromKey(20130405));
    dates.set(2, *DrawDates::fromKey(20130412));
    EXPECT_EQ(storeDrawDates(store, dates).value(), 2);
    EXPECT_EQ(storeDrawDates(store, dates).value(), 0);
    dates.set(2, *DrawDates::fromKey(20130413));
    EXPECT_EQ(storeDrawDates(store, dates).value(), 1);

    auto read = loadDrawDates(store);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->label(2), "2013年4月13日");
    // After the newest dated draw a draw is expected weekly; before it, an undated draw has no date.
    EXPECT_EQ(read->label(4), "2013年4月27日（予定）");
    dates.set(5, *DrawDates::fromKey(20130503));
    EXPECT_EQ(dates.label(3), "");

    using namespace std::chrono;
    const auto on = [](int y, unsigned m, unsigned d) { return year_month_day{year(y), month(m), day(d)}; };
    EXPECT_EQ(staleHistoryNotice(dates, 5, on(2013, 5, 11)), "");
    EXPECT_EQ(staleHistoryNotice(dates, 5, on(2013, 5, 12)), "最新の当選データは第5回（2013年5月3日）です");
    EXPECT_EQ(staleHistoryNotice(dates, 6, on(2013, 5, 30)),
              "最新の当選データは第6回（2013年5月10日の予定）です");
    EXPECT_EQ(staleHistoryNotice(DrawDates(), 6, on(2013, 5, 30)), "");
    EXPECT_FALSE(DrawDates::fromKey(20130231));
    EXPECT_FALSE(DrawDates::fromIso("2013-4-05"));
}

TEST_F(TicketStoreTest, NewerFilesAndStrangeTablesAreRefusedAndLeftAlone) {
    {
        DrawStore store = open();
        ASSERT_TRUE(store.database().exec("PRAGMA user_version = 3"));
    }
    const std::string bytes = readFile(connection().databasePath());
    auto newer = DrawStore::open(connection());
    ASSERT_FALSE(newer);
    EXPECT_EQ(newer.error().code, ErrorCode::NewerDatabase);
    EXPECT_NE(newer.error().message.find("新しい版のKazutama"), std::string::npos);
    EXPECT_NE(newer.error().message.find("Kazutama.mdb"), std::string::npos);
    EXPECT_EQ(readFile(connection().databasePath()), bytes);

    // The second version's number with the first version's tables, or with a ticket table of its own.
    for (const char* sql :
         {"PRAGMA user_version = 2",
          "CREATE TABLE 購入数字 (番号 INTEGER PRIMARY KEY); CREATE TABLE 抽選日 (回数 INTEGER);"
          "PRAGMA user_version = 2"}) {
        ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(m_dir / "other.mdb")));
        {
            auto other = DrawStore::open(ConnectionString::forDatabase(m_dir / "other.mdb"));
            ASSERT_TRUE(other);
            ASSERT_TRUE(other->database().exec(sql));
        }
        auto refused = DrawStore::open(ConnectionString::forDatabase(m_dir / "other.mdb"));
        ASSERT_FALSE(refused) << sql;
        EXPECT_EQ(refused.error().code, ErrorCode::NotOurDatabase);
        std::filesystem::remove(m_dir / "other.mdb");
    }
}

} // namespace
} // namespace kazutama
