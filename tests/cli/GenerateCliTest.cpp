// generate from the command line: the refusals, the seed, the two formats.

#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::CliRun;

class GenerateCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(cli(std::string("import h.db ") + KAZUTAMA_SAMPLE_HISTORY).status, 0); }
    CliRun cli(const std::string& arguments) { return test::runCli(m_dir.path(), arguments); }

    test::TempDir m_dir;
};

TEST_F(GenerateCliTest, BadFiltersAreRefusedOnOneLineNamingThem) {
    for (const auto& [arguments, message] : std::vector<std::pair<std::string, std::string>>{
             {"--sum 300-10", "数字合計の範囲「300-10」"},
             {"--odd 0-9", "奇数の個数の範囲「0-9」"},
             {"--include 0", "必ず含める数字 0 は 1 から 37 の数字ではありません"},
             {"--exclude 3,38", "除外する数字 38 は"},
             {"--include 1,2,3,4,5,6,7,8", "必ず含める数字は 1 個から 7 個まで"},
             {"--pool cycle8", "不明な予想の候補です: 「cycle8」"},
             {"--past-match-max 9", "過去の当選と一致する最大個数「9」"},
             {"--seed -1", "乱数の種「-1」"},
             {"--count 100001", "100000 組まで"},
             {"--format xml", "不明な出力形式です: xml"}}) {
        const CliRun run = cli("generate h.db " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.errLines(), 1) << arguments;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

TEST_F(GenerateCliTest, TheSeedGivesTheSameTicketsAndNothingPassingIsNoError) {
    const std::string filters =
        "generate h.db --odd 3-4 --low 3-4 --same-last-digit-max 2 --seed 42 --count 3";
    const CliRun first = cli(filters);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(cli(filters).out, first.out);
    EXPECT_NE(first.out.find("\"total\": 10295472"), std::string::npos);
    EXPECT_NE(first.out.find("\"filters\": [{\"name\": \"odd\""), std::string::npos);
    EXPECT_NE(first.out.find("\"seed\": 42,"), std::string::npos);

    const CliRun csv = cli(filters + " --format csv");
    EXPECT_EQ(csv.out.rfind("第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字\n", 0), 0u);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 4);

    const CliRun unseeded = cli("generate h.db --count 1");
    EXPECT_NE(unseeded.out.find("\"seed\": "), std::string::npos);

    const CliRun none = cli("generate h.db --include 1 --exclude 1");
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.out.find("\"passing\": 0,"), std::string::npos);
    EXPECT_NE(none.out.find("\"tickets\": []"), std::string::npos);
    EXPECT_EQ(none.errLines(), 1);
}

} // namespace
} // namespace kazutama
