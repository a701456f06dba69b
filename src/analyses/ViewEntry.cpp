#include "analyses/ViewEntry.h"

#include "grid/ResultGrid.h"

namespace kazutama {

ResultGrid ViewEntry::build(const DrawHistory& history, const StartupSummary& summary) const {
    return builder(history, summary, parameter);
}

} // namespace kazutama
