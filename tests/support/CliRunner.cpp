#include "support/CliRunner.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

namespace kazutama::test {

long CliRun::errLines() const {
    return std::count(err.begin(), err.end(), '\n');
}

CliRun runCli(const std::filesystem::path& folder, const std::string& arguments, const std::string& program) {
    // The output goes to files of its own, so that the folder holds only what the test put there.
    const TempDir capture;
    const auto out = capture / "stdout", err = capture / "stderr";
    const std::string command = "cd '" + folder.string() + "' && '" + program + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    return CliRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

} // namespace kazutama::test
