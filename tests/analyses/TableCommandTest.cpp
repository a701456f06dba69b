// `kazutama-cli table` and `views`: the analysis grids as a script reads them.

#include "analyses/ViewCatalogue.h"
#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kazutama {
namespace {

using test::CliRun;
using test::TempDir;

class TableCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = DrawStore::create(ConnectionString::forDatabase(m_dir / "h.mdb"));
        ASSERT_TRUE(store.ok()) << store.error().message;
        const auto imported = store->importDraws({
            DrawRecord{1, {1, 2, 3, 5, 6, 7, 8, 9, 10}},
            DrawRecord{2, {1, 11, 12, 13, 14, 15, 16, 17, 18}},
        });
        ASSERT_TRUE(imported.ok()) << imported.error().message;
    }

    CliRun cli(const std::string& arguments) { return test::runCli(m_dir.path(), arguments); }

    TempDir m_dir;
};

TEST_F(TableCommandTest, ViewsListsTheViewsInMenuOrder) {
    const CliRun run = cli("views");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n', run.out.find('\n') + 1) + 1),
              "出現頻度分析\n回数別出現分析\n");
}

TEST_F(TableCommandTest, JsonListsColouredOrWrittenCellsRowByRow) {
    const CliRun run = cli("table h.mdb 回数別出現分析");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(
        "{\"view\": \"回数別出現分析\", \"caption\": \"回数別頻度分析\", \"columns\": 2, \"rows\": 4, "
        "\"columnWidths\": [5, 20], \"rowHeights\": [10, 10, 10, 10]"))
        << run.out;
    const std::size_t heading =
        run.out.find("{\"col\": 2, \"row\": 1, \"text\": \"数 字\", \"fg\": null, \"bg\": \"#ffc8c8\"");
    const std::size_t zero =
        run.out.find("{\"col\": 1, \"row\": 2, \"text\": \"0回\", \"fg\": null, \"bg\": \"#ffffc8\"");
    const std::size_t group = run.out.find("{\"col\": 2, \"row\": 2, \"text\": \"4,19,");
    const std::size_t last =
        run.out.find("{\"col\": 2, \"row\": 4, \"text\": \"1\", \"fg\": \"#0000ff\", \"bg\": null");
    ASSERT_NE(heading, std::string::npos) << run.out;
    ASSERT_NE(zero, std::string::npos) << run.out;
    ASSERT_NE(group, std::string::npos) << run.out;
    ASSERT_NE(last, std::string::npos) << run.out;
    EXPECT_LT(heading, zero);
    EXPECT_LT(zero, group);
    EXPECT_LT(group, last);
    EXPECT_TRUE(run.out.ends_with("]}\n"));
}

TEST_F(TableCommandTest, CsvQuotesTheGroupTexts) {
    const CliRun run = cli("table h.mdb 回数別出現分析 --format csv");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "出 現,数 字\n"
                       "0回,\"4,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37\"\n"
                       "1回,\"2,3,5,6,7,8,9,10,11,12,13,14,15,16,17,18\"\n"
                       "2回,1\n");
}

TEST_F(TableCommandTest, DataCsvHasOneHeadingRowAndNumbersAsNumbers) {
    const CliRun run = cli("table h.mdb 回数別出現分析 --format data-csv");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "\xEF\xBB\xBF出現,数字\r\n"
                       "0,\"4,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37\"\r\n"
                       "1,\"2,3,5,6,7,8,9,10,11,12,13,14,15,16,17,18\"\r\n"
                       "2,1\r\n");
}

TEST_F(TableCommandTest, HtmlCarriesTheColoursAndKeepsTheBlanks) {
    const CliRun run = cli("table h.mdb 出現頻度分析 --format=html");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("<table"), std::string::npos);
    EXPECT_NE(run.out.find("color:#3e9eff"), std::string::npos); // a main-number dot
    EXPECT_NE(run.out.find("background-color:#defefd"), std::string::npos);
    EXPECT_NE(run.out.find(">  出 現 頻 度（回）</td>"), std::string::npos);
}

TEST_F(TableCommandTest, FailuresAreOneJapaneseLine) {
    std::vector<std::string> failing = {"table h.mdb 存在しない分析", "table h.mdb",
                                        "table h.mdb 出現頻度分析 --format xml",
                                        "table missing.mdb 出現頻度分析", "views extra"};
    for (const std::string& arguments : failing) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << ": " << run.err;
    }
    EXPECT_NE(cli("table h.mdb 存在しない分析").err.find("不明な分析ビューです: 存在しない分析"),
              std::string::npos);
}

} // namespace
} // namespace kazutama
