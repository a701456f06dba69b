#pragma once

#include "common/Result.h"
#include "prediction/PredictionRun.h"
#include "store/Snapshot.h"

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama::cli {

using Args = std::vector<std::string>; // the arguments after the subcommand's name

// Thrown by a command for a failure that ends the run: one line on stderr, exit status 1.
struct CliError {
    std::string message;
};

struct Command {
    std::string_view name;
    std::string_view usage; // one line for the help text
    std::function<void(const Args&, std::ostream& out)> run;
};

// A command's arguments: the values of its options (--ini FILE or --ini=FILE), its flags and the rest in
// order.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> values; // by option, "--ini"
    std::set<std::string, std::less<>> flags;

    // The option's value, or `fallback` when it was not given.
    std::string value(std::string_view option, std::string fallback = {}) const;
    bool has(std::string_view flag) const { return flags.contains(flag); }
};
// Reads `args` against the options a command knows and the positional arguments it needs, named for the
// message when one is missing; with `morePositional`, any further ones are kept too. Anything else ends the
// run with a message that names the first bad argument (its start only: a mistyped argument may be anything)
// and `usage`.
ParsedArgs parseArgs(const Args& args, std::initializer_list<std::string_view> valueOptions,
                     std::initializer_list<std::string_view> flagOptions,
                     std::initializer_list<std::string_view> positionalNames, std::string_view usage,
                     bool morePositional = false);
// The start of a text from the command line, short enough for a message.
std::string startOf(std::string_view text);

// The value, or the run ends with the error's message.
template <typename T> T orThrow(Result<T> result) {
    if (!result)
        throw CliError{result.error().message};
    return std::move(result).value();
}

// Every subcommand, in the order the help text lists them.
const std::vector<Command>& commands();

// Opens an existing history database and loads its snapshot, as the desktop program does at start-up.
Snapshot loadSnapshotOrThrow(const std::string& databasePath);

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
void runBackup(const Args& args, std::ostream& out);
void runRestore(const Args& args, std::ostream& out);
void runSearch(const Args& args, std::ostream& out);
void runCheck(const Args& args, std::ostream& out);
void runTickets(const Args& args, std::ostream& out);
void runGenerate(const Args& args, std::ostream& out);

} // namespace kazutama::cli
