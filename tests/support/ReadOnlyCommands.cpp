#include "support/ReadOnlyCommands.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama::test {

namespace {

// A hash of the database's bytes and of the files beside it, or markers for what is not a readable file.
std::vector<std::string> snapshot(const std::filesystem::path& database) {
    std::vector<std::string> files;
    const auto hash = [](const std::string& bytes) {
        return std::to_string(std::hash<std::string>{}(bytes));
    };
    for (const char* suffix : {"", "-journal", "-commit"}) {
        const std::filesystem::path path = database.string() + suffix;
        std::error_code ec;
        const auto status = std::filesystem::symlink_status(path, ec);
        files.push_back(!std::filesystem::exists(status)           ? "(none)"
                        : std::filesystem::is_regular_file(status) ? hash(readFile(path))
                                                                   : "(not a file)");
    }
    return files;
}

} // namespace

std::vector<CliRun> runReadOnlyCommands(const std::filesystem::path& database,
                                        const std::filesystem::path& folder) {
    const std::string db = "'" + database.string() + "'";
    const std::string exported = "'" + (folder / "exported.csv").string() + "'";
    const std::vector<std::pair<std::string, std::string>> commands = {
        {KAZUTAMA_CLI_PATH, "export " + db},
        {KAZUTAMA_CLI_PATH, "summary " + db},
        {KAZUTAMA_CLI_PATH, "table " + db + " 出現頻度分析"},
        {KAZUTAMA_CLI_PATH, "predict " + db},
        {KAZUTAMA_CLI_PATH, "backtest " + db},
        {KAZUTAMA_APP_PATH, "--export 出現頻度分析 " + exported + " --database " + db},
    };
    const std::vector<std::string> before = snapshot(database);
    std::vector<CliRun> runs;
    for (const auto& [program, arguments] : commands) {
        // A command that hangs fails the test instead of stopping it.
        runs.push_back(runCli(folder, "120 '" + program + "' " + arguments, "timeout"));
        EXPECT_EQ(snapshot(database), before) << arguments << " changed the database: " << runs.back().err;
    }
    return runs;
}

} // namespace kazutama::test
