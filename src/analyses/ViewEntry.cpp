#include "analyses/ViewEntry.h"

#include "grid/ResultGrid.h"

namespace kazutama {

ResultGrid ViewEntry::build(const Snapshot& snapshot) const {
    return builder(snapshot, parameter);
}

} // namespace kazutama
