#include "cli/CliCommands.h"
#include "analyses/ViewCatalogue.h"

#include <ostream>

namespace kazutama::cli {

// Only the views whose table can be built; the others are still in the catalogue for the menus.
void runViews(const Args& args, std::ostream& out) {
    if (!args.empty())
        throw CliError{"引数が正しくありません。使い方: kazutama-cli views"};
    for (const ViewEntry& entry : ViewCatalogue::entries())
        if (entry.builder)
            out << entry.windowName << '\n';
}

} // namespace kazutama::cli
