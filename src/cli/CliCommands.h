#pragma once

#include "common/Result.h"
#include "prediction/PredictionRun.h"
#include "store/DrawHistory.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama::cli {

using Args = std::vector<std::string>;  // the arguments after the subcommand's name

// Thrown by a command for a failure that ends the run: one line on stderr, exit status 1.
struct CliError {
    std::string message;
};

struct Command {
    std::string_view name;
    std::string_view usage;  // one line for the help text
    std::function<void(const Args&, std::ostream& out)> run;
};

// Every subcommand, in the order the help text lists them.
const std::vector<Command>& commands();

// Opens an existing history database and loads its snapshot, as the desktop program does at start-up.
DrawHistory loadHistoryOrThrow(const std::string& databasePath);

// One prediction run as `predict` prints it (without the line end); `backtest` embeds it per tested draw.
std::string predictionJson(const PredictionRun& run);

// Each subcommand lives in its own file and defines one of these.
void runInit(const Args& args, std::ostream& out);
void runImport(const Args& args, std::ostream& out);
void runExport(const Args& args, std::ostream& out);
void runSummary(const Args& args, std::ostream& out);
void runPredict(const Args& args, std::ostream& out);
void runViews(const Args& args, std::ostream& out);
void runTable(const Args& args, std::ostream& out);
void runBacktest(const Args& args, std::ostream& out);

} // namespace kazutama::cli
