// kazutama-cli backtest as a script sees it: each tested draw carries what `predict` prints for the history
// cut just before it, the sweep covers every shift, failures are one line on stderr.

#include "prediction/PredictionShift.h"
#include "settings/AnalysisOptions.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace kazutama {
namespace {

using test::CliRun;
using test::runCli;

void createDatabase(const std::filesystem::path& path, std::vector<DrawRecord> records) {
    auto store = DrawStore::create(ConnectionString::forDatabase(path));
    ASSERT_TRUE(store) << store.error().message;
    auto imported = store->importDraws(records);
    ASSERT_TRUE(imported) << imported.error().message;
}

// Draws missing, draws not complete, as in a real history.
std::vector<DrawRecord> gappyRecords() {
    std::vector<DrawRecord> records;
    for (DrawRecord record : test::makeRandomHistory(160, 17)) {
        if (record.drawNumber % 13 == 4)
            continue;
        if (record.drawNumber % 11 == 6)
            record.numbers[std::size_t(record.drawNumber % 9)] = kNoNumber;
        records.push_back(record);
    }
    return records;
}

std::vector<int> allMatches(const std::string& text, const std::regex& pattern) {
    std::vector<int> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator();
         ++it)
        found.push_back(std::stoi((*it)[1]));
    return found;
}

TEST(BacktestCommandTest, EachDrawCarriesWhatPredictPrintsForTheHistoryBeforeIt) {
    auto sample = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
    ASSERT_TRUE(sample.ok());
    const struct {
        const char* name;
        std::vector<DrawRecord> records;
        const char* settings;   // Kazutama.ini in the folder, read by both commands; nullptr: none
        std::vector<int> draws; // tested draws to compare with a cut database
    } cases[] = {
        {"sample, options off", sample.value(), nullptr, {2, 18, 350, 695}},
        // 5 and 18 follow a missing draw, 7 an incomplete one; 159 is the last complete one.
        {"random with gaps, shift 15 + 4 + 3",
         gappyRecords(),
         "間隔分析Opt=True\r\n連番飛び石分析Opt=True\r\n下一桁連続出現回数分析Opt=True\r\n",
         {3, 5, 7, 18, 90, 159}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        if (c.settings)
            test::writeFile(dir / "Kazutama.ini", c.settings);
        createDatabase(dir / "all.mdb", c.records);
        const CliRun backtest = runCli(dir.path(), "backtest all.mdb");
        ASSERT_EQ(backtest.status, 0) << backtest.err;
        const CliRun csv = runCli(dir.path(), "backtest all.mdb --format csv");
        ASSERT_EQ(csv.status, 0) << csv.err;

        // One entry per complete draw after the first, ascending, and a CSV line for each.
        std::vector<int> complete;
        for (const DrawRecord& record : c.records)
            if (record.isComplete())
                complete.push_back(record.drawNumber);
        const std::vector<int> tested =
            allMatches(backtest.out, std::regex(R"(\{"draw": (\d+), "prediction")"));
        EXPECT_EQ(tested, std::vector<int>(complete.begin() + 1, complete.end()));
        EXPECT_EQ(allMatches(csv.out, std::regex(R"(\n(\d+),)")), tested);

        for (const int draw : c.draws) {
            std::vector<DrawRecord> before;
            for (const DrawRecord& record : c.records)
                if (record.drawNumber < draw)
                    before.push_back(record);
            const std::string cut = "before" + std::to_string(draw) + ".mdb";
            createDatabase(dir / cut, before);
            const CliRun predict = runCli(dir.path(), "predict " + cut);
            ASSERT_EQ(predict.status, 0) << predict.err;
            const std::string prediction = predict.out.substr(0, predict.out.size() - 1);
            EXPECT_NE(backtest.out.find("{\"draw\": " + std::to_string(draw) +
                                        ", \"prediction\": " + prediction + ", \"mainHits\": "),
                      std::string::npos)
                << "draw " << draw << ": " << prediction;

            // The CSV line starts with the draw and the one-shot numbers of that prediction, padded to seven.
            std::smatch oneShot;
            ASSERT_TRUE(std::regex_search(prediction, oneShot, std::regex(R"("oneShot": \[([^\]]*)\])")));
            std::vector<int> picked = allMatches(oneShot[1].str(), std::regex(R"((\d+))"));
            std::string line = "\n" + std::to_string(draw);
            for (std::size_t i = 0; i < 7; ++i)
                line += "," + (i < picked.size() ? std::to_string(picked[i]) : "");
            EXPECT_NE(csv.out.find(line + ","), std::string::npos) << "draw " << draw;
        }
    }
}

// Every subset sum of the weights, ascending, each with options that give it, in both formats; --sweep
// adds to the JSON without changing the rest.
TEST(BacktestCommandTest, SweepListsEveryShiftWithOptionsThatGiveIt) {
    std::set<int> sums{0};
    for (const int weight : kPredictionShiftWeights) {
        std::set<int> more = sums;
        for (const int sum : sums)
            more.insert(sum + weight);
        sums = std::move(more);
    }
    const std::vector<int> shifts(sums.begin(), sums.end());
    test::TempDir dir;
    createDatabase(dir / "h.mdb", gappyRecords());
    const CliRun plain = runCli(dir.path(), "backtest h.mdb");
    const CliRun json = runCli(dir.path(), "backtest h.mdb --sweep");
    const CliRun csv = runCli(dir.path(), "backtest --format=csv --sweep h.mdb");
    for (const CliRun* run : {&plain, &json, &csv})
        ASSERT_EQ(run->status, 0) << run->err;
    ASSERT_TRUE(json.out.starts_with(plain.out.substr(0, plain.out.size() - 2) + ", \"sweep\": ["));

    const struct {
        const char* format;
        const std::string& out;
        std::regex row;             // [1] the shift, [2] the example options
        const char *before, *after; // around the key of a reflected option
    } formats[] = {
        {"json", json.out, std::regex(R"(\{"shift": (\d+), "options": (\{[^}]*\}))"), "\"", "\": true"},
        {"csv", csv.out, std::regex(R"(\n(\d+),([^,]*),)"), " ", " "}, // keys separated by blanks
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(f.format);
        std::vector<int> listed;
        for (auto it = std::sregex_iterator(f.out.begin(), f.out.end(), f.row); it != std::sregex_iterator();
             ++it) {
            listed.push_back(std::stoi((*it)[1]));
            const std::string options = " " + (*it)[2].str() + " ";
            int shift = 0;
            for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
                if (options.find(f.before + std::string(kAnalysisOptionKeys[option]) + f.after) !=
                    std::string::npos)
                    shift += kPredictionShiftWeights[option];
            EXPECT_EQ(shift, listed.back()) << options;
        }
        EXPECT_EQ(listed, shifts);
    }
}

TEST(BacktestCommandTest, BadUsageAndUnopenableDatabaseFailWithOneLine) {
    test::TempDir dir;
    createDatabase(dir / "h.mdb", {{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    const std::string longFormat(400, 'x');
    const struct {
        std::string arguments;
        const char* named; // what the message must name
    } cases[] = {
        {"backtest", "データベース"},
        {"backtest missing.mdb", "missing.mdb"},
        {"backtest h.mdb --format xml", "xml"},
        {"backtest h.mdb --format=html --sweep", "html"},
        {"backtest h.mdb --format " + longFormat, "xxxx"},
        {"backtest h.mdb --format", "--format"},
        {"backtest h.mdb --ini", "--ini"},
        {"backtest h.mdb --fast", "--fast"},
        {"backtest h.mdb other.mdb", "other.mdb"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(dir.path(), c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_TRUE(run.out.empty()) << c.arguments;
        EXPECT_TRUE(run.err.starts_with("kazutama-cli: ")) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(run.errLines(), 1) << c.arguments;
        EXPECT_LT(run.err.size(), 300u) << c.arguments;
    }
}

} // namespace
} // namespace kazutama
