#include "cli/CliCommands.h"

#include <ostream>

namespace kazutama::cli {

// Placeholder until the view catalogue exists: no analysis view can be shown yet.
void runViews(const Args&, std::ostream&) {}

} // namespace kazutama::cli
