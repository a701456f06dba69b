// Tickets from the command line, and a file of an earlier version that gains them.

#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::CliRun;
using test::readFile;
using test::TempDir;
using test::writeFile;

class TicketsCliTest : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return test::runCli(m_dir.path(), arguments); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    // Every output the file's history gives, by name, as the digest the earlier version's outputs were
    // recorded with.
    std::vector<std::pair<std::string, std::string>> digests(const std::string& db) {
        std::vector<std::pair<std::string, std::string>> out;
        const auto digest = [&](const std::string& name, const std::string& arguments) {
            const CliRun run = cli(arguments + " | sha256sum | cut -c1-64");
            out.emplace_back(name, run.out.substr(0, 64));
        };
        digest("summary", "summary " + db);
        digest("predict", "predict " + db);
        std::istringstream views(cli("views").out);
        for (std::string view; std::getline(views, view);)
            digest("table:" + view, "table " + db + " '" + view + "'");
        return out;
    }

    TempDir m_dir;
};

TEST_F(TicketsCliTest, AFileOfVersion130GainsTicketsAndDatesAndGivesTheSameTables) {
    const std::string old = std::string(KAZUTAMA_OLD_FILES) + "/history-1.30";
    std::filesystem::copy_file(old + ".db", path("h.db"));
    std::vector<std::pair<std::string, std::string>> recorded;
    std::ifstream list(old + ".sha256");
    for (std::string name, digest; list >> name >> digest;)
        recorded.emplace_back(name, digest);
    ASSERT_EQ(recorded.size(), 19u);
    EXPECT_EQ(digests("h.db"), recorded);

    const CliRun added = cli("tickets h.db add 5 6 11 16 22 24 34 --from 694 --to 697 --memo '連続購入'");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "1\n");
    writeFile(path("dated.csv"),
              "回数,抽選日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,本数字7,ボーナス1,ボーナス2\n"
              "695,2026/9/18,5,6,11,16,22,24,34,15,18\n");
    const CliRun imported = cli("import h.db dated.csv");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("変更なし 1 件、抽選日 1 件"), std::string::npos) << imported.out;
    EXPECT_EQ(digests("h.db"), recorded);

    const CliRun checked = cli("tickets h.db check");
    ASSERT_EQ(checked.status, 0) << checked.err;
    EXPECT_EQ(
        checked.out,
        "{\"tickets\": [{\"id\": 1, \"numbers\": [5, 6, 11, 16, 22, 24, 34], \"from\": 694, \"to\": 697, "
        "\"memo\": \"連続購入\", \"tiers\": {\"1\": 1, \"2\": 0, \"3\": 0, \"4\": 0, \"5\": 0, \"6\": 0}, "
        "\"results\": [{\"draw\": 694, \"mainHits\": 1, \"bonusHits\": 1, \"tier\": null}, {\"draw\": 695, "
        "\"mainHits\": 7, \"bonusHits\": 0, \"tier\": 1}, {\"draw\": 696, \"pending\": true}, {\"draw\": "
        "697, \"pending\": true}]}]}\n");
}

TEST_F(TicketsCliTest, BadTicketsAreRefusedByNameAndNothingIsWritten) {
    ASSERT_EQ(cli("init h.db").status, 0);
    const std::string before = readFile(path("h.db"));
    for (const auto& [arguments, message] : std::vector<std::pair<std::string, std::string>>{
             {"add 0 2 3 4 5 6 7 --from 1", "購入数字 0 は 1 から 37 の数字ではありません"},
             {"add 1 2 3 4 5 6 38 --from 1", "購入数字 38 は"},
             {"add 1 2 3 4 5 6 6 --from 1", "購入数字 6 が 2 回あります"},
             {"add 1 2 3 4 5 6 --from 1", "数字7が指定されていません"},
             {"add 1 2 3 4 5 6 7 --from 9 --to 8", "終了回（第8回）が開始回（第9回）より前です"},
             {"add 1 2 3 4 5 6 7", "--from"},
             {"add 1 2 3 4 5 6 7 --from 1 --memo '" + std::string(101, 'x') + "'", "メモは 100 文字まで"},
             {"delete 4", "購入数字 4 はありません"},
             {"frob", "操作「frob」はありません"}}) {
        const CliRun run = cli("tickets h.db " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.errLines(), 1) << arguments;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    EXPECT_EQ(readFile(path("h.db")), before);
}

TEST_F(TicketsCliTest, TicketsGoOutAndComeBackAsCsvAndABadFileChangesNothing) {
    ASSERT_EQ(cli("init h.db").status, 0);
    ASSERT_EQ(cli("tickets h.db add 1 2 3 4 5 6 7 --from 3 --memo 'a, \"b\"'").status, 0);
    ASSERT_EQ(cli("tickets h.db add 37 36 35 34 33 32 31 --from 4 --to 9").status, 0);
    ASSERT_EQ(cli("tickets h.db export t.csv").status, 0);
    EXPECT_EQ(readFile(path("t.csv")), "番号,数字1,数字2,数字3,数字4,数字5,数字6,数字7,開始回,終了回,メモ\n"
                                       "1,1,2,3,4,5,6,7,3,3,\"a, \"\"b\"\"\"\n"
                                       "2,31,32,33,34,35,36,37,4,9,\n");
    ASSERT_EQ(cli("init copy.db").status, 0);
    const CliRun imported = cli("tickets copy.db import t.csv");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(cli("tickets copy.db list").out, cli("tickets h.db list").out);

    writeFile(path("bad.csv"), "数字1,数字2,数字3,数字4,数字5,数字6,数字7,開始回,終了回,メモ\n"
                               "1,2,3,4,5,6,7,1,1,\n1,2,3,4,5,6,7,5,4,\n");
    const CliRun bad = cli("tickets copy.db import bad.csv");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("3行目: 終了回（第4回）が開始回（第5回）より前です"), std::string::npos)
        << bad.err;
    EXPECT_EQ(cli("tickets copy.db list").out, cli("tickets h.db list").out);
}

} // namespace
} // namespace kazutama
