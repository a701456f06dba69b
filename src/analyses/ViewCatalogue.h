#pragma once

#include "analyses/ViewEntry.h"

#include <span>
#include <string_view>

namespace kazutama {

// The seventeen analysis views, in the order of the データ分析 menu. The windows, the menus, the CLI and
// the tests all read them from here.
class ViewCatalogue {
public:
    static std::span<const ViewEntry> entries();
    // The entry with this window name, or null.
    static const ViewEntry* find(std::string_view windowName);
};

} // namespace kazutama
