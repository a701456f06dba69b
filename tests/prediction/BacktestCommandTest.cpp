// kazutama-cli backtest as a script sees it: each tested draw carries what `predict` prints for the history
// cut just before it; failures are one line on stderr. The numbers are cross-checked in tests/reference.

#include "prediction/Backtest.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <regex>

namespace kazutama {
namespace {

using test::CliRun;
using test::runCli;

void createDatabase(const std::filesystem::path& path, const std::vector<DrawRecord>& records) {
    auto store = DrawStore::create(ConnectionString::forDatabase(path));
    ASSERT_TRUE(store && store->importDraws(records)) << path;
}

TEST(BacktestCommandTest, EachDrawCarriesWhatPredictPrintsForTheHistoryBeforeIt) {
    auto sample = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    ASSERT_TRUE(sample.ok());
    std::vector<DrawRecord> gappy; // draws missing (4, 17, ...), draws not complete (6, 28, ...)
    for (DrawRecord record : test::makeRandomHistory(160, 17)) {
        if (record.drawNumber % 11 == 6)
            record.numbers[std::size_t(record.drawNumber % 9)] = kNoNumber;
        if (record.drawNumber % 13 != 4)
            gappy.push_back(record);
    }
    std::string shifts; // the sweep's rows
    for (const auto& [shift, options] : reachableShifts())
        shifts += std::to_string(shift) + " ";
    const struct {
        const std::vector<DrawRecord>& records;
        const char* settings; // Kazutama.ini, read by both commands
        std::vector<int> draws;
    } cases[] = {{sample.value(), "", {2, 18, 350, 695}},
                 {gappy,
                  "間隔分析Opt=True\r\n連番飛び石分析Opt=True\r\n下一桁連続出現回数分析Opt=True\r\n",
                  {3, 5, 7, 18, 90, 159}}};
    for (const auto& c : cases) {
        test::TempDir dir;
        test::writeFile(dir / "Kazutama.ini", c.settings);
        createDatabase(dir / "all.mdb", c.records);
        const CliRun backtest = runCli(dir.path(), "backtest all.mdb --sweep");
        ASSERT_EQ(backtest.status, 0) << backtest.err;
        const std::regex row(R"(\{"shift": (\d+), "options")");
        std::string listed;
        for (auto it = std::sregex_iterator(backtest.out.begin(), backtest.out.end(), row);
             it != std::sregex_iterator(); ++it)
            listed += (*it)[1].str() + " ";
        EXPECT_EQ(listed, shifts);

        for (const int draw : c.draws) {
            std::vector<DrawRecord> before;
            std::copy_if(c.records.begin(), c.records.end(), std::back_inserter(before),
                         [&](const DrawRecord& record) { return record.drawNumber < draw; });
            std::filesystem::remove(dir / "cut.mdb");
            createDatabase(dir / "cut.mdb", before);
            const CliRun predict = runCli(dir.path(), "predict cut.mdb");
            ASSERT_EQ(predict.status, 0) << predict.err;
            const std::string entry = "{\"draw\": " + std::to_string(draw) +
                                      ", \"prediction\": " + predict.out.substr(0, predict.out.size() - 1) +
                                      ", \"mainHits\": ";
            EXPECT_NE(backtest.out.find(entry), std::string::npos) << entry;
        }
    }
}

TEST(BacktestCommandTest, BadUsageAndUnopenableDatabaseFailWithOneLine) {
    test::TempDir dir;
    createDatabase(dir / "h.mdb", {{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    // The arguments, and what the message must name.
    const std::pair<std::string, std::string> cases[] = {{"", "データベース"},
                                                         {"missing.mdb", "missing.mdb"},
                                                         {"h.mdb --format xml", "xml"},
                                                         {"h.mdb --format=html --sweep", "html"},
                                                         {"h.mdb --format " + std::string(400, 'x'), "xxxx"},
                                                         {"h.mdb --format", "--format"},
                                                         {"h.mdb --ini", "--ini"},
                                                         {"h.mdb --fast", "--fast"},
                                                         {"h.mdb h2.mdb", "h2.mdb"}};
    for (const auto& [arguments, named] : cases) {
        const CliRun run = runCli(dir.path(), "backtest " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_TRUE(run.err.starts_with("kazutama-cli: ") && run.err.find(named) != std::string::npos)
            << run.err;
        EXPECT_EQ(run.errLines(), 1) << arguments;
        EXPECT_LT(run.err.size(), 300u) << arguments; // a long bad value is cut short
    }
}

} // namespace
} // namespace kazutama
