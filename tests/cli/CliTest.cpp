// The command-line front end as a script sees it: exit codes, stdout, one-line errors on stderr.

#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace kazutama {
namespace {

using test::CliRun;
using test::readFile;
using test::TempDir;
using test::writeFile;

class CliTest : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return test::runCli(m_dir.path(), arguments); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    TempDir m_dir;
};

TEST_F(CliTest, UsageErrorsAndUnknownCommands) {
    EXPECT_EQ(cli("").status, 2);
    const CliRun unknown = cli("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.errLines(), 1);
    const CliRun missingArgument = cli("summary");
    EXPECT_EQ(missingArgument.status, 1);
    EXPECT_EQ(missingArgument.errLines(), 1);

    // A bad argument of any command with options is named by its start only, whatever its length.
    const std::string junk(400, 'x');
    for (const std::string& arguments : {"predict --" + junk, "predict h.mdb " + junk, "table h.mdb " + junk,
                                         "table h.mdb v --format " + junk, "table h.mdb --" + junk,
                                         "backtest h.mdb --" + junk, std::string("predict h.mdb --ini")}) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments.substr(0, 30);
        EXPECT_EQ(run.errLines(), 1) << arguments.substr(0, 30);
        EXPECT_LT(run.err.size(), 300u) << run.err;
    }
}

TEST_F(CliTest, InitCreatesAnEmptyDatabaseOnlyOnce) {
    EXPECT_EQ(cli("init h.mdb").status, 0);
    const std::string created = readFile(path("h.mdb"));
    const CliRun again = cli("init h.mdb");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.errLines(), 1);
    EXPECT_EQ(readFile(path("h.mdb")), created);
    const CliRun summary = cli("summary h.mdb");
    EXPECT_EQ(summary.status, 0);
    EXPECT_NE(summary.out.find("\"latestDrawNumber\": 0, \"maxCount\": 0, \"groupRowCount\": 0"),
              std::string::npos);
    EXPECT_NE(summary.out.find("\"countGroups\": [\"\"]"), std::string::npos);
}

TEST_F(CliTest, ImportThenSummaryOfTheSampleHistory) {
    ASSERT_EQ(cli(std::string("import h.mdb '") + KAZUTAMA_SAMPLE_HISTORY + "'").status, 0);
    const CliRun summary = cli("summary h.mdb");
    ASSERT_EQ(summary.status, 0) << summary.err;
    EXPECT_TRUE(summary.out.starts_with(
        "{\"latestDrawNumber\": 695, \"maxCount\": 196, \"groupRowCount\": 29, \"numberCounts\": [0, 173, "
        "148, 154, "
        "175, 155, 170, 161, 172, 196, 169, 171, 159, 183, 177, 195, 145, 163, 170, 164, 167, 166, 162, 173, "
        "169, "
        "157, 180, 168, 163, 174, 185, 171, 168, 161, 187, 174, 174, 156], \"countGroups\": [\"\", "))
        << summary.out;
    EXPECT_TRUE(summary.out.ends_with(", \"15\", \"9\"]}\n")) << summary.out;
}

TEST_F(CliTest, ExportWritesTheWholeHistoryBack) {
    ASSERT_EQ(cli(std::string("import h.mdb '") + KAZUTAMA_SAMPLE_HISTORY + "'").status, 0);
    const CliRun toStdout = cli("export h.mdb");
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, readFile(KAZUTAMA_SAMPLE_HISTORY));
    EXPECT_EQ(cli("export h.mdb copy.csv").status, 0);
    EXPECT_EQ(readFile(path("copy.csv")), readFile(KAZUTAMA_SAMPLE_HISTORY));
}

TEST_F(CliTest, BadCsvIsRejectedWithItsLineAndChangesNothing) {
    writeFile(path("good.csv"),
              "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n"
              "1,6,7,13,20,27,34,37,9,10\n");
    ASSERT_EQ(cli("import h.mdb good.csv").status, 0);
    const std::string before = cli("export h.mdb").out;

    const std::map<std::string, std::string> badLines = {
        {"zero", "2,0,7,13,20,27,34,37,9,10"},      {"high", "2,1,7,13,20,27,34,37,9,38"},
        {"decimal", "2,1,7,12.5,20,27,34,37,9,10"}, {"text", "2,1,7,abc,20,27,34,37,9,10"},
        {"short", "2,1,7,13,20,27,34,37,9"},
    };
    for (const auto& [name, bad] : badLines) {
        writeFile(path(name + ".csv"),
                  "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
                  "ボーナス数字2\n3,1,2,3,4,5,6,7,8,9\n" +
                      bad + "\n");
        const CliRun run = cli("import h.mdb " + name + ".csv");
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.errLines(), 1) << name;
        EXPECT_NE(run.err.find("3行目"), std::string::npos) << name << ": " << run.err;
        EXPECT_EQ(cli("export h.mdb").out, before) << name;
    }
    // A rejected file never creates a database either.
    EXPECT_EQ(cli("import new.mdb zero.csv").status, 1);
    EXPECT_FALSE(std::filesystem::exists(path("new.mdb")));
}

TEST_F(CliTest, ImportEmptiesStoredNumbersOnlyWhenAskedTo) {
    const std::string heading =
        "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n";
    writeFile(path("full.csv"), heading + "1,6,7,13,20,27,34,37,9,10\n2,1,2,3,4,5,6,7,8,9\n");
    ASSERT_EQ(cli("import h.mdb full.csv").status, 0);
    const std::string before = cli("export h.mdb").out;
    const std::string blanks = heading + "1,,,,,,,,,\n2,1,2,3,4,5,6,8,9,\n3,,,,,,,,,\n";
    writeFile(path("blank.csv"), blanks);

    const CliRun refused = cli("import h.mdb blank.csv");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.errLines(), 1);
    EXPECT_NE(refused.err.find("（1、2）"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--replace-with-empty"), std::string::npos) << refused.err;
    EXPECT_EQ(cli("export h.mdb").out, before);
    EXPECT_NE(cli("--help").out.find("--replace-with-empty"), std::string::npos);

    const CliRun allowed = cli("import h.mdb blank.csv --replace-with-empty");
    EXPECT_EQ(allowed.status, 0) << allowed.err;
    EXPECT_NE(allowed.out.find("新規 1 件、置き換え 2 件"), std::string::npos) << allowed.out;
    EXPECT_EQ(cli("export h.mdb").out, blanks);
}

TEST_F(CliTest, ImportKeepsABackupWhichRestoreBringsBackKeepingTheFileItReplaces) {
    ASSERT_EQ(cli("import h.mdb '" KAZUTAMA_SAMPLE_HISTORY "'").status, 0);
    const std::string sample = cli("export h.mdb").out;
    writeFile(m_dir / "more.csv",
              "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n"
              "696,1,2,3,4,5,6,7,8,9\n");
    ASSERT_EQ(cli("import h.mdb more.csv").status, 0);
    const CliRun backup = cli("backup h.mdb mine");
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_TRUE(backup.out.starts_with("mine/h-")) << backup.out;

    // The import's own backup, made before it wrote, holds the history as it was.
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir / "h-backups"))
        kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    const CliRun restore = cli("restore h.mdb '" + kept[0].string() + "'");
    ASSERT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(restore.out.substr(0, restore.out.find('\n')), "復元しました: 695 回分（最新 第695回）");
    EXPECT_EQ(cli("export h.mdb").out, sample);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir / "h-backups"), {}), 2);

    const CliRun missing = cli("restore h.mdb nowhere.mdb");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.errLines(), 1);
    EXPECT_EQ(cli("export h.mdb").out, sample);
}

TEST_F(CliTest, UnreadableDatabaseIsAnErrorAndLeftAlone) {
    writeFile(path("other.mdb"), "not a database");
    const CliRun run = cli("summary other.mdb");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errLines(), 1);
    EXPECT_EQ(readFile(path("other.mdb")), "not a database");
    EXPECT_EQ(cli("summary missing.mdb").status, 1);
    EXPECT_FALSE(std::filesystem::exists(path("missing.mdb")));
}

TEST_F(CliTest, ImportReadsOtherToolsLayoutsAndReplacesChangedDraws) {
    const std::string samples = KAZUTAMA_IMPORT_SAMPLES;
    ASSERT_EQ(cli("import h.mdb '" + samples + "/aisuru-hue_loto7-web__loto7-data_extracted.csv'").status, 0);
    EXPECT_TRUE(cli("summary h.mdb").out.starts_with("{\"latestDrawNumber\": 663,"));
    writeFile(path("fix.csv"), "round,numbers,bonus\n663,1 2 3 4 5 6 7,8 9\n");
    const CliRun run = cli("import h.mdb fix.csv");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("置き換え 1 件"), std::string::npos) << run.out;
    EXPECT_NE(cli("export h.mdb").out.find("\n663,1,2,3,4,5,6,7,8,9\n"), std::string::npos);
}

TEST_F(CliTest, ImportNumbersUndatedDrawsByDateAndRejectsConflictingCopies) {
    const std::string samples = KAZUTAMA_IMPORT_SAMPLES;
    const CliRun dated = cli("import h.mdb '" + samples + "/woods3884_loto7-app__LOTO7_ALL.csv'");
    ASSERT_EQ(dated.status, 0) << dated.err;
    EXPECT_NE(dated.out.find("の古い順に 1 から回数を付けました"), std::string::npos) << dated.out;
    EXPECT_NE(dated.out.find("新規 585 件"), std::string::npos) << dated.out;
    // The file's dates are kept and written back beside the numbers, in a form this import reads again.
    EXPECT_NE(dated.out.find("抽選日 585 件"), std::string::npos) << dated.out;
    const std::string exported = cli("export h.mdb").out;
    EXPECT_NE(exported.find("\n585,6,11,13,14,16,27,34,12,25,2024-07-26\n"), std::string::npos);
    writeFile(path("again.csv"), exported);
    const CliRun again = cli("import copy.mdb again.csv");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(cli("export copy.mdb").out, exported);

    const std::string before = cli("export h.mdb").out;
    writeFile(path("twice.csv"), "round,numbers,bonus\n585,1 2 3 4 5 6 7,8 9\n586,1 2 3 4 5 6 7,8 9\n"
                                 "585,1 2 3 4 5 6 7,8 10\n");
    const CliRun twice = cli("import h.mdb twice.csv");
    EXPECT_EQ(twice.status, 1);
    EXPECT_NE(twice.err.find("4行目: 回数 585 が2行目と異なる数字で重複しています。"), std::string::npos)
        << twice.err;
    EXPECT_EQ(cli("export h.mdb").out, before);
}

TEST_F(CliTest, SearchAndCheckTakeTheNumbersAfterTheDatabase) {
    const std::string heading =
        "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n";
    writeFile(path("h.csv"),
              heading + "1,23,10,7,17,12,28,34,3,15\n2,1,7,9,11,20,30,37,23,5\n3,,7,23,4,5,6,8,9,10\n");
    ASSERT_EQ(cli("import h.mdb h.csv").status, 0);

    const CliRun found = cli("search h.mdb 23 7");
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out,
              "{\"numbers\": [7, 23], \"withBonus\": false, \"completeDraws\": 2, \"count\": 1, "
              "\"expected\": 0.06306306306306306, \"draws\": [{\"draw\": 1, \"main\": [7, 10, 12, 17, "
              "23, 28, 34], \"bonus\": [3, 15]}]}\n"); // 2 × C(35, 5) / C(37, 7) = 2 × 42 / 1332
    EXPECT_NE(
        cli("search h.mdb 7 23 --with-bonus").out.find("\"count\": 2, \"expected\": 0.10810810810810811"),
        std::string::npos); // 2 × 72 / 1332
    // The CSV has the headings of export, the main numbers in ascending order.
    const CliRun csv = cli("search --with-bonus h.mdb 23 --format csv");
    EXPECT_EQ(csv.out, heading + "1,7,10,12,17,23,28,34,3,15\n2,1,7,9,11,20,30,37,23,5\n");

    const CliRun check = cli("check h.mdb 7 6 5 4 3 2 1");
    ASSERT_EQ(check.status, 0) << check.err;
    EXPECT_TRUE(
        check.out.starts_with("{\"numbers\": [1, 2, 3, 4, 5, 6, 7], \"completeDraws\": 2, \"mainHits\": "
                              "[0, 1, 1, 0, 0, 0, 0, 0], \"expectedMainHits\": ["))
        << check.out;
    EXPECT_NE(check.out.find("\"tiers\": {\"1\": 0, \"2\": 0, \"3\": 0, \"4\": 0, \"5\": 0, \"6\": 0}, "
                             "\"expectedTiers\": {\"1\": "),
              std::string::npos)
        << check.out;
    EXPECT_TRUE(check.out.ends_with(", \"best\": [{\"draw\": 2, \"mainHits\": 2, \"bonusHits\": 1, \"tier\": "
                                    "null}]}\n"))
        << check.out;

    // Each refusal names the number, or the count, in one line, and exits as a bad argument does.
    const std::map<std::string, std::string> refused = {
        {"search h.mdb 7 0", " 0 "},
        {"search h.mdb 38", " 38 "},
        {"search h.mdb 5 9 5", " 5 が 2 回"},
        {"search h.mdb 1 2 3 4 5 6 7 8", "8 個"},
        {"search h.mdb 7 seven", "「seven」"},
        {"search h.mdb", "探す数字が"},
        {"check h.mdb 1 2 3 4 5 6", "6 個"},
        {"check h.mdb 1 2 3 4 5 6 x7", "「x7」"},
        {"search h.mdb 7 --format xml", "xml"},
        {"check h.mdb 1 2 3 4 5 6 7 --format csv", "csv"},
        {"search h.mdb 7 --bonus", "--bonus"},
    };
    for (const auto& [arguments, named] : refused) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.errLines(), 1) << arguments;
        EXPECT_NE(run.err.find(named), std::string::npos) << arguments << ": " << run.err;
    }
}

} // namespace
} // namespace kazutama
