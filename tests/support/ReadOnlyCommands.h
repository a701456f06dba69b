#pragma once

#include "support/CliRunner.h"

#include <filesystem>
#include <vector>

namespace kazutama::test {

// Every command that only reads a history database (the command-line program's export, summary, table,
// predict and backtest, and the desktop program's --export), run on `database` from `folder`. Each is
// expected to leave the database and everything beside it that belongs to it (journal, commit record)
// byte for byte as it was; the runs are returned for the caller's own checks.
std::vector<CliRun> runReadOnlyCommands(const std::filesystem::path& database,
                                        const std::filesystem::path& folder);

} // namespace kazutama::test
