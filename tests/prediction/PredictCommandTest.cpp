#include "store/DrawStore.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kazutama {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs kazutama-cli in `folder`, so that the settings file is looked up there.
CliRun runCli(const test::TempDir& folder, const std::string& arguments) {
    const auto errPath = folder / "stderr.txt";
    const std::string command = "cd '" + folder.path().string() + "' && '" KAZUTAMA_CLI_PATH "' " +
                                arguments + " 2>'" + errPath.string() + "'";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = test::readFile(errPath);
    return run;
}

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
    CliRun run = runCli(m_dir, "predict history.mdb");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 0, )" + kEmptyCycle +
                           R"(, "elimination": [23, 16, 17, 24, 32, 1, 12, 22], )"
                           R"("multiple": [26, 27, 28, 29, 30, 31, 32, 33, 19, 20, 21, 22, 23, 24], )"
                           R"("oneShot": [26, 27, 28, 29, 30, 31, 32]})"
                           "\n");

    test::writeFile(m_dir / "Kazutama.ini", "頻度分析Opt=True\r\n");
    run = runCli(m_dir, "predict history.mdb");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 1, )" + kEmptyCycle +
                           R"(, "elimination": [22, 16, 17, 24, 32, 1, 12], )"
                           R"("multiple": [19, 20, 21, 22, 23, 24, 10, 11, 13, 14, 15, 16, 17, 2], )"
                           R"("oneShot": [19, 20, 21, 22, 23, 24, 10]})"
                           "\n");
}

TEST_F(PredictCommandTest, NamedSettingsFileWinsAndAMissingOneMeansAllOff) {
    test::writeFile(m_dir / "other.ini", "間隔分析Opt=True\r\n");
    CliRun run = runCli(m_dir, "predict history.mdb --ini other.ini");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, R"({"shift": 15, )" + kEmptyCycle +
                           R"(, "elimination": [22, 16, 17, 24, 32, 1, 12], "multiple": [], "oneShot": []})"
                           "\n");

    run = runCli(m_dir, "predict --ini missing.ini history.mdb");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(R"({"shift": 0, )"), std::string::npos);
}

TEST_F(PredictCommandTest, BadUsageAndUnopenableDatabaseFailWithAMessage) {
    for (const char* arguments : {"predict", "predict history.mdb --fast", "predict history.mdb --ini",
                                  "predict history.mdb extra.mdb", "predict missing.mdb"}) {
        const CliRun run = runCli(m_dir, arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_NE(run.err.find("kazutama-cli: "), std::string::npos) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments;
    }
}

} // namespace
} // namespace kazutama
