#include "store/DrawStore.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::CliRun;
using test::runCli;

class PredictCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = DrawStore::create(ConnectionString::forDatabase(m_dir / "history.mdb"));
        ASSERT_TRUE(store) << store.error().message;
        const std::vector<DrawRecord> draws = {
            {1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
            {2, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
            {3, {1, 19, 20, 21, 22, 23, 24, 12, 25}},
            {4, {26, 27, 28, 29, 30, 31, 32, 33, 2}},
            {5, {34, 35, 36, 37, 1, 2, 3, 4, 5}},
            {6, {1, 2, 3, 4, 5, 6, 7, 8, 0}}, // not complete: the latest draw stays 5
        };
        auto imported = store->importDraws(draws);
        ASSERT_TRUE(imported) << imported.error().message;
    }

    test::TempDir m_dir;
};

const std::string kEmptyCycle = R"("cycle": [["", "", "", "", "", "", ""], ["", "", "", "", "", "", ""], )"
                                R"(["", "", "", "", "", "", ""], ["", "", "", "", "", "", ""]])";

TEST_F(PredictCommandTest, PrintsOneRunAsJsonWithTheSettingsOfTheCurrentFolder) {
    CliRun run = runCli(m_dir.path(), "predict history.mdb");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 0, )" + kEmptyCycle +
                           R"(, "elimination": [23, 16, 17, 24, 32, 1, 12, 22], )"
                           R"("multiple": [26, 27, 28, 29, 30, 31, 32, 33, 19, 20, 21, 22, 23, 24], )"
                           R"("oneShot": [26, 27, 28, 29, 30, 31, 32]})"
                           "\n");

    test::writeFile(m_dir / "Kazutama.ini", "頻度分析Opt=True\r\n");
    run = runCli(m_dir.path(), "predict history.mdb");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 1, )" + kEmptyCycle +
                           R"(, "elimination": [22, 16, 17, 24, 32, 1, 12], )"
                           R"("multiple": [19, 20, 21, 22, 23, 24, 10, 11, 13, 14, 15, 16, 17, 2], )"
                           R"("oneShot": [19, 20, 21, 22, 23, 24, 10]})"
                           "\n");
}

TEST_F(PredictCommandTest, NamedSettingsFileWinsAndAMissingOneMeansAllOff) {
    test::writeFile(m_dir / "other.ini", "間隔分析Opt=True\r\n");
    CliRun run = runCli(m_dir.path(), "predict history.mdb --ini other.ini");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 15, )" + kEmptyCycle +
                           R"(, "elimination": [22, 16, 17, 24, 32, 1, 12], "multiple": [], "oneShot": []})"
                           "\n");

    run = runCli(m_dir.path(), "predict --ini missing.ini history.mdb");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"({"shift": 0, )"), std::string::npos);
}

TEST_F(PredictCommandTest, BadUsageAndUnopenableDatabaseFailWithAMessage) {
    for (const char* arguments : {"predict", "predict history.mdb --fast", "predict history.mdb --ini",
                                  "predict history.mdb extra.mdb", "predict missing.mdb"}) {
        const CliRun run = runCli(m_dir.path(), arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_NE(run.err.find("kazutama-cli: "), std::string::npos) << arguments;
        EXPECT_EQ(run.errLines(), 1) << arguments;
    }
}

} // namespace
} // namespace kazutama
