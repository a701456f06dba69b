#include "store/Backups.h"

#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/RollbackJournal.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::vector<DrawRecord> kSample = *readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);

std::vector<DrawRecord> extraDraws(int first, int count) {
    std::vector<DrawRecord> draws;
    for (int d = first; d < first + count; ++d)
        draws.push_back(DrawRecord{d, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    return draws;
}

class BackupsTest : public ::testing::Test {
protected:
    ConnectionString database() const { return ConnectionString::forDatabase(m_dir / "Kazutama.mdb"); }
    DrawStore storeWith(const std::vector<DrawRecord>& draws) {
        auto store = DrawStore::create(database());
        EXPECT_TRUE(store && store->importDraws(draws));
        return std::move(store).value();
    }
    TempDir m_dir;
};

TEST_F(BackupsTest, TheFirstWriteOfARunKeepsTheHistoryAsItWasWhichARestoreBringsBack) {
    DrawStore store = storeWith(kSample);
    std::vector<std::string> notices;
    BackupOnFirstWrite keeper(Backups(database()), [&](const std::string& n) { notices.push_back(n); });
    store.backUpBeforeWriting(&keeper);
    ASSERT_TRUE(store.importDraws(extraDraws(696, 5)));
    ASSERT_TRUE(store.writeNumber(1, 0, kSample[0].numbers[0], 37));
    EXPECT_TRUE(notices.empty());

    const std::vector<BackupInfo> backups = keeper.backups().list();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].file.parent_path(), m_dir / "Kazutama-backups");
    EXPECT_TRUE(backups[0].readable);
    EXPECT_EQ(backups[0].draws, 695);
    EXPECT_EQ(backups[0].latestDraw, 695);
    EXPECT_NEAR(double(backups[0].takenAt), double(std::time(nullptr)), 5);

    auto restored = keeper.backups().restore(backups[0].file);
    ASSERT_TRUE(restored) << restored.error().message;
    EXPECT_EQ(store.loadHistory()->records(), kSample);
    // The file as it was before the restore is one of the copies now, and the restored copy is still there.
    EXPECT_EQ(Backups::inspect(restored->previous).draws, 700);
    EXPECT_EQ(keeper.backups().list().size(), 2u);
}

TEST_F(BackupsTest, KeepsTheLastTenAndTheNewestOfEachMonthForAYear) {
    const Backups backups(database());
    fs::create_directories(backups.folder());
    const auto make = [&](const std::string& stamp) {
        test::writeFile(backups.folder() / ("Kazutama-" + stamp + ".mdb"), "x");
    };
    for (int day = 1; day <= 9; ++day) {
        make("202612" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "-080000");
        make("202612" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "-200000");
    }
    for (int month = 1; month <= 11; ++month) {
        const std::string mm = (month < 10 ? "0" : "") + std::to_string(month);
        make("2026" + mm + "03-100000");
        make("2026" + mm + "20-100000");
    }
    make("20251231-235959");
    make("20261209-080000-2");
    for (const char* other :
         {"Kazutama-20250101-000000.unreadable", "Kazutama-20250101-000000-journal", "notes.txt"})
        test::writeFile(backups.folder() / other, "keep");

    std::tm now{};
    now.tm_year = 2026 - 1900, now.tm_mon = 11, now.tm_mday = 9, now.tm_hour = 21, now.tm_isdst = -1;
    backups.prune(std::mktime(&now));

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(backups.folder()))
        left.insert(entry.path().filename().string());
    std::set<std::string> expected = {"Kazutama-20250101-000000.unreadable",
                                      "Kazutama-20250101-000000-journal", "notes.txt",
                                      "Kazutama-20261209-080000-2.mdb"};
    // The ten newest: three of the 9th, the 8th to the 6th twice, and the 5th's evening.
    for (const char* stamp :
         {"20261209-200000", "20261209-080000", "20261208-200000", "20261208-080000", "20261207-200000",
          "20261207-080000", "20261206-200000", "20261206-080000", "20261205-200000"})
        expected.insert("Kazutama-" + std::string(stamp) + ".mdb");
    for (int month = 1; month <= 11; ++month)
        expected.insert("Kazutama-2026" + std::string(month < 10 ? "0" : "") + std::to_string(month) +
                        "20-100000.mdb");
    EXPECT_EQ(left, expected);
}

TEST_F(BackupsTest, NothingIsCopiedForAnEmptyHistoryAndACopyThatFailsIsSaidWhileTheWriteGoesOn) {
    {
        DrawStore store = storeWith({});
        BackupOnFirstWrite keeper(Backups(database()), [](const std::string&) { FAIL(); });
        store.backUpBeforeWriting(&keeper);
        ASSERT_TRUE(store.appendEmptyDraw());
        EXPECT_FALSE(fs::exists(keeper.backups().folder()));
    }
    fs::remove(database().databasePath());
    DrawStore store = storeWith(kSample);
    test::writeFile(m_dir / "Kazutama-backups", "a file where the folder would be");
    std::vector<std::string> notices;
    BackupOnFirstWrite keeper(Backups(database()), [&](const std::string& n) { notices.push_back(n); });
    store.backUpBeforeWriting(&keeper);
    ASSERT_TRUE(store.importDraws(extraDraws(696, 1)));
    ASSERT_TRUE(store.importDraws(extraDraws(697, 1)));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("Kazutama-backups"), std::string::npos) << notices[0];
    EXPECT_EQ(store.loadHistory()->size(), 697u);
}

// However quickly one follows another, every journal set aside keeps a name of its own.
TEST_F(BackupsTest, JournalsSetAsideWithinOneSecondAreAllKept) {
    storeWith(kSample);
    const Backups backups(database());
    const fs::path journal = journalPath(database().databasePath());
    for (const char* content : {"1", "2", "3"}) {
        test::writeFile(journal, content);
        ASSERT_TRUE(backups.setJournalAside());
        EXPECT_FALSE(fs::exists(journal));
    }
    std::multiset<std::string> kept;
    for (const auto& entry : fs::directory_iterator(backups.folder()))
        if (entry.path().filename().string().ends_with("-journal"))
            kept.insert(test::readFile(entry.path()));
    EXPECT_EQ(kept, (std::multiset<std::string>{"1", "2", "3"}));
}

} // namespace
} // namespace kazutama
