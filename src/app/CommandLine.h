#pragma once

#include <optional>

namespace kazutama {

// The desktop program's own command line. --help and --version answer and end; --export VIEW FILE writes a
// view's table as a PDF, PNG, HTML or CSV file without opening a window (offscreen where there is no
// screen) and ends. Anything else starts the program.
class CommandLine {
public:
    // Call before the application object exists: an export needs no screen.
    static void prepare(int argc, char** argv);
    // The exit code when the command line has done its work, or nothing to start the windows.
    static std::optional<int> run();
};

} // namespace kazutama
