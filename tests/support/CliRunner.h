#pragma once

#include <filesystem>
#include <string>

namespace kazutama::test {

// What one run of kazutama-cli left: its exit status (-1 when it did not exit normally) and output.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;

    // A failure is reported on exactly one line of stderr.
    long errLines() const;
};

// Runs kazutama-cli (or another of the program's executables) with `arguments` (shell words: quote paths
// with blanks) in `folder`, where it looks for its settings file.
CliRun runCli(const std::filesystem::path& folder, const std::string& arguments,
              const std::string& program = KAZUTAMA_CLI_PATH);

} // namespace kazutama::test
