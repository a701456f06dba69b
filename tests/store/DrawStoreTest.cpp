#include "store/DrawStore.h"

#include "store/HistoryCsv.h"
#include "support/Histories.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

DrawRecord draw(int number, std::array<int, kBallCount> numbers) {
    return DrawRecord{number, numbers};
}

class DrawStoreTest : public ::testing::Test {
protected:
    ConnectionString connection() const { return ConnectionString::forDatabase(m_dir / "Kazutama.mdb"); }
    DrawStore createStore() {
        auto store = DrawStore::create(connection());
        EXPECT_TRUE(store) << (store ? "" : store.error().message);
        return std::move(store).value();
    }
    TempDir m_dir;
};

TEST_F(DrawStoreTest, MissingFileIsCreatedOnceAndReportedAsCreated) {
    auto first = DrawStore::openOrCreate(connection());
    ASSERT_TRUE(first) << first.error().message;
    EXPECT_TRUE(first->created);
    EXPECT_TRUE(first->store.loadHistory()->empty());

    auto second = DrawStore::openOrCreate(connection());
    ASSERT_TRUE(second) << second.error().message;
    EXPECT_FALSE(second->created);

    auto again = DrawStore::create(connection());
    ASSERT_FALSE(again);
    EXPECT_EQ(again.error().code, ErrorCode::FileExists);
}

TEST_F(DrawStoreTest, OpenWithoutFileFails) {
    auto store = DrawStore::open(connection());
    ASSERT_FALSE(store);
    EXPECT_EQ(store.error().code, ErrorCode::FileMissing);
    EXPECT_FALSE(std::filesystem::exists(connection().databasePath()));
}

TEST_F(DrawStoreTest, WritesGoThroughTheSavedQueryAndReadBackInDrawOrder) {
    DrawStore store = createStore();
    ASSERT_TRUE(store.importDraws({draw(3, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                   draw(1, {11, 12, 13, 14, 15, 16, 17, 18, 19}),
                                   draw(2, {21, 22, 23, 0, 25, 26, 27, 0, 29})})); // not entered: NULL
    ASSERT_TRUE(store.importDraws({draw(3, {31, 2, 3, 4, 5, 6, 7, 8, 37})}));      // update

    auto history = store.loadHistory();
    ASSERT_TRUE(history);
    ASSERT_EQ(history->size(), 3u);
    EXPECT_EQ(history->records()[0], draw(1, {11, 12, 13, 14, 15, 16, 17, 18, 19}));
    EXPECT_EQ(history->records()[1], draw(2, {21, 22, 23, 0, 25, 26, 27, 0, 29}));
    EXPECT_EQ(history->records()[2], draw(3, {31, 2, 3, 4, 5, 6, 7, 8, 37}));

    ASSERT_EQ(store.deleteDraw(draw(2, {21, 22, 23, 0, 25, 26, 27, 0, 29})).value(),
              DrawStore::WriteOutcome::Written);
    EXPECT_EQ(store.loadHistory()->size(), 2u);
    EXPECT_FALSE(store.findDraw(2)->has_value());

    // A second connection (as the entry view has) sees every change.
    auto other = DrawStore::open(connection());
    ASSERT_TRUE(other);
    EXPECT_EQ(other->findDraw(3)->value(), draw(3, {31, 2, 3, 4, 5, 6, 7, 8, 37}));
}

TEST_F(DrawStoreTest, SchemaRefusesWhatIsNotADrawNumberOrANumber) {
    DrawStore store = createStore();
    Database& db = store.database();
    const std::string insert = "INSERT INTO 全データ選択クエリ (回数, 第1数字, 第2数字, 第3数字, 第4数字, "
                               "第5数字, 第6数字, 第7数字, "
                               "ボーナス数字1, ボーナス数字2) VALUES ";
    EXPECT_TRUE(db.exec(insert + "(1, 1, 2, 3, 4, 5, 6, 7, 8, 37)"));
    EXPECT_TRUE(db.exec(insert + "(2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
    EXPECT_TRUE(db.exec(insert + "(32760, 12, 2, 3, 4, 5, 6, 7, 8, 9)"));

    for (const char* bad : {"(3, 0, 2, 3, 4, 5, 6, 7, 8, 9)", "(3, 1, 2, 3, 4, 5, 6, 7, 8, 38)",
                            "(3, 12.5, 2, 3, 4, 5, 6, 7, 8, 9)", "(3, 'abc', 2, 3, 4, 5, 6, 7, 8, 9)",
                            "(0, 1, 2, 3, 4, 5, 6, 7, 8, 9)", "(32761, 1, 2, 3, 4, 5, 6, 7, 8, 9)",
                            "(1, 1, 2, 3, 4, 5, 6, 7, 8, 9)", "(NULL, 1, 2, 3, 4, 5, 6, 7, 8, 9)"})
        EXPECT_FALSE(db.exec(insert + bad)) << bad;
    EXPECT_FALSE(db.exec("UPDATE 全データ選択クエリ SET ボーナス数字2 = 99 WHERE 回数 = 1"));
    EXPECT_EQ(store.loadHistory()->size(), 3u);
    EXPECT_EQ(store.findDraw(1)->value().numbers[8], 37);
}

// A file whose saved query another tool defined, over a table without our checks: the analyses get draws
// 1..32760 in order, each once, and numbers 1..37 or none; a bad number can be typed over in the grid.
TEST_F(DrawStoreTest, WhatAnotherToolStoredReachesTheAnalysesOnlyWithinTheLimits) {
    DrawStore store = createStore();
    Database& db = store.database();
    const std::string columns = "(回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字, "
                                "ボーナス数字1, ボーナス数字2)";
    ASSERT_TRUE(db.exec("DROP VIEW 全データ選択クエリ; CREATE TABLE other " + columns +
                        "; CREATE VIEW 全データ選択クエリ AS SELECT * FROM other"));
    ASSERT_TRUE(db.exec("INSERT INTO other VALUES "
                        "(3, 1, 2, 3, 4, 5, 6, 7, 8, 9), (1, 99, -1, 'x', 3.5, 5.0, 0, 37, 1e300, NULL), "
                        "(3, 9, 9, 9, 9, 9, 9, 9, 9, 9), (0, 1, 2, 3, 4, 5, 6, 7, 8, 9), "
                        "(32761, 1, 2, 3, 4, 5, 6, 7, 8, 9), (-4294967295, 1, 2, 3, 4, 5, 6, 7, 8, 9), "
                        "(4294967298, 1, 2, 3, 4, 5, 6, 7, 8, 9), ('2', 1, 2, 3, 4, 5, 6, 7, 8, 9), "
                        "(NULL, 1, 2, 3, 4, 5, 6, 7, 8, 9), (32760.0, 1, 1, 1, 1, 1, 1, 1, 1, 1)"));
    auto history = store.loadHistory();
    ASSERT_TRUE(history) << history.error().message;
    ASSERT_EQ(history->size(), 3u);
    EXPECT_EQ(history->records()[0], draw(1, {0, 0, 0, 0, 5, 0, 37, 0, 0}));
    EXPECT_EQ(history->records()[1].drawNumber, 3);
    EXPECT_EQ(history->records()[2], draw(32760, {1, 1, 1, 1, 1, 1, 1, 1, 1}));

    EXPECT_EQ(store.findDraw(1)->value(), draw(1, {0, 0, 0, 0, 5, 0, 37, 0, 0}));
}

TEST_F(DrawStoreTest, ANumberOutsideTheLimitsCanBeTypedOver) {
    DrawStore store = createStore();
    ASSERT_TRUE(store.database().exec("PRAGMA ignore_check_constraints = ON; INSERT INTO 当選データ VALUES "
                                      "(1, 99, 2, 3, 4, 5, 6, 7, 8, 9), (40000, 1, 2, 3, 4, 5, 6, 7, 8, 9)"));
    EXPECT_EQ(store.loadHistory()->records(), std::vector<DrawRecord>{draw(1, {0, 2, 3, 4, 5, 6, 7, 8, 9})});
    auto written = store.writeNumber(1, 0, kNoNumber, 12);
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_EQ(written.value(), DrawStore::WriteOutcome::Written);
    EXPECT_EQ(store.findDraw(1)->value(), draw(1, {12, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(DrawStoreTest, ImportAddsReplacesAndCounts) {
    DrawStore store = createStore();
    ASSERT_TRUE(
        store.importDraws({draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    const std::vector<DrawRecord> incoming = {
        draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),          // identical
        draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 10}),         // changed
        draw(3, {11, 12, 13, 14, 15, 16, 17, 18, 19}), // new
    };
    auto preview = store.previewImport(incoming);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->added, 1);
    EXPECT_EQ(preview->replaced, 1);
    EXPECT_EQ(preview->unchanged, 1);
    EXPECT_EQ(store.loadHistory()->size(), 2u); // a preview writes nothing

    auto kept = store.importDraws(incoming, /*replaceChanged=*/false);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->added, 1);
    EXPECT_EQ(kept->replaced, 0);
    EXPECT_EQ(store.findDraw(2)->value().numbers[8], 9);

    auto replaced = store.importDraws(incoming);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->replaced, 1);
    EXPECT_EQ(store.findDraw(2)->value().numbers[8], 10);
}

// An empty field in the file never empties a stored number, unless the user confirmed that draw.
TEST_F(DrawStoreTest, ImportEmptiesStoredNumbersOnlyInConfirmedDraws) {
    DrawStore store = createStore();
    ASSERT_TRUE(store.importDraws({draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                   draw(3, {1, 2, 3, 4, 5, 6, 7, 0, 0})}));
    const std::vector<DrawRecord> before = store.loadHistory()->records();
    const std::vector<DrawRecord> incoming = {
        draw(1, {}),                           // every number emptied
        draw(2, {1, 2, 3, 4, 5, 6, 8, 0, 10}), // some changed, one emptied
        draw(3, {1, 2, 3, 4, 5, 6, 7, 8, 0}),  // filled in: nothing stored is lost
        draw(4, {1, 2, 0, 0, 0, 0, 0, 0, 0}),  // new and incomplete
    };
    auto preview = store.previewImport(incoming);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->replaced, 3);
    EXPECT_EQ(preview->emptied, (std::vector<int>{1, 2}));

    // The message names the draws not confirmed.
    const std::pair<std::vector<int>, std::string> refusals[] = {
        {{}, "（1、2）"}, {{1}, "（2）"}, {{2, 3}, "（1）"}};
    for (const auto& [confirmed, named] : refusals) {
        auto refused = store.importDraws(incoming, true, confirmed);
        ASSERT_FALSE(refused) << named;
        EXPECT_EQ(refused.error().code, ErrorCode::WouldLoseData);
        EXPECT_NE(refused.error().message.find(named), std::string::npos) << refused.error().message;
        EXPECT_EQ(store.loadHistory()->records(), before);
    }

    auto newOnly = store.importDraws(incoming, false);
    ASSERT_TRUE(newOnly) << newOnly.error().message;
    EXPECT_EQ(newOnly->added, 1);
    EXPECT_EQ(store.findDraw(4)->value(), incoming[3]);
    EXPECT_EQ(store.findDraw(1)->value(), before[0]);

    auto replaced = store.importDraws(incoming, true, preview->emptied);
    ASSERT_TRUE(replaced) << replaced.error().message;
    EXPECT_EQ(replaced->replaced, 3);
    EXPECT_EQ(replaced->emptied, preview->emptied);
    for (int d = 1; d <= 3; ++d)
        EXPECT_EQ(store.findDraw(d)->value(), incoming[d - 1]);
}

TEST_F(DrawStoreTest, DeleteRemovesOnlyTheDrawAsTheCallerReadIt) {
    DrawStore store = createStore();
    const DrawRecord read = draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    const DrawRecord theirs = draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    ASSERT_TRUE(store.importDraws({read}));
    auto other = DrawStore::open(connection());
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->writeNumber(1, 8, read.numbers[8], theirs.numbers[8]));

    EXPECT_EQ(store.deleteDraw(read).value(), DrawStore::WriteOutcome::ChangedElsewhere);
    EXPECT_EQ(store.findDraw(1)->value(), theirs);
    EXPECT_EQ(store.deleteDraw(theirs).value(), DrawStore::WriteOutcome::Written);
    EXPECT_FALSE(store.findDraw(1)->has_value());
    EXPECT_EQ(store.deleteDraw(theirs).value(), DrawStore::WriteOutcome::ChangedElsewhere);
}

TEST_F(DrawStoreTest, FailedImportChangesNothing) {
    DrawStore store = createStore();
    ASSERT_TRUE(store.importDraws({draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    // A write that the database refuses half-way through the import.
    ASSERT_TRUE(store.database().exec("CREATE TRIGGER refuse BEFORE INSERT ON 当選データ WHEN NEW.回数 = 5 "
                                      "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    std::vector<DrawRecord> incoming;
    for (int d = 1; d <= 8; ++d)
        incoming.push_back(draw(d, {d, 2, 3, 4, 5, 6, 7, 8, 9}));
    auto result = store.importDraws(incoming);
    ASSERT_FALSE(result);
    auto history = store.loadHistory();
    ASSERT_EQ(history->size(), 1u);
    EXPECT_EQ(history->records()[0], draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}));

    incoming.push_back(draw(9, {0, 0, 0, 0, 0, 0, 0, 0, 38}));
    EXPECT_EQ(store.importDraws(incoming).error().code, ErrorCode::InvalidData);
}

// Foreign and damaged files are provoked in the fault tests.
TEST_F(DrawStoreTest, FileIsEncrypted) {
    {
        DrawStore store = createStore();
        ASSERT_TRUE(store.importDraws({draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    }
    const std::string bytes = readFile(connection().databasePath());
    EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
    EXPECT_EQ(bytes.find("全データ選択クエリ"), std::string::npos);
}

TEST_F(DrawStoreTest, SampleHistoryRoundTripsThroughTheDatabase) {
    auto draws = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    ASSERT_TRUE(draws) << draws.error().message;
    DrawStore store = createStore();
    auto report = store.importDraws(draws.value());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, static_cast<int>(draws->size()));
    auto history = store.loadHistory();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->records(), draws.value());
    EXPECT_EQ(formatHistoryCsv(history.value()), readFile(KAZUTAMA_SAMPLE_HISTORY));
}

// A long import tells how far it has come, through the comparing and then the writing; stopped in the
// writing, it changes nothing.
TEST_F(DrawStoreTest, AnImportStoppedByItsProgressChangesNothing) {
    DrawStore store = createStore();
    ASSERT_TRUE(store.importDraws({draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    const std::vector<DrawRecord> many = test::makeRandomHistory(2000, 3).records();
    std::vector<std::size_t> seen;
    auto stopped = store.importDraws(many, true, {}, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 2 * many.size());
        seen.push_back(done);
        return done < many.size() + 1000; // well into the writing
    });
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.error().code, ErrorCode::Cancelled);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), many.size());
    auto history = store.loadHistory();
    ASSERT_EQ(history->size(), 1u);
    EXPECT_EQ(history->records()[0], draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}));

    auto previewed = store.previewImport(many, [](std::size_t, std::size_t) { return false; });
    EXPECT_EQ(previewed.error().code, ErrorCode::Cancelled);
}

} // namespace
} // namespace kazutama
