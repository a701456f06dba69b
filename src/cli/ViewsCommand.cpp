#include "analyses/ViewCatalogue.h"
#include "cli/CliCommands.h"
#include "menus/MenuTable.h"

#include <ostream>

namespace kazutama::cli {

namespace {

// One line per menu command: its positions from the menu bar down, its name, the window it opens (or "-")
// and its captions, tab-separated, for scripts that drive the menus by keyboard.
void printMenu(std::ostream& out) {
    for (const MenuPlace& place : menuCommandPlaces()) {
        std::string positions, captions;
        for (int p : place.positions)
            positions += (positions.empty() ? "" : " ") + std::to_string(p);
        for (std::string_view caption : place.captions)
            captions += (captions.empty() ? "" : "/") + std::string(caption);
        const std::string_view window = place.command->view.empty() ? "-" : place.command->view;
        out << positions << '\t' << place.command->name << '\t' << window << '\t' << captions << '\n';
    }
}

} // namespace

// Without --menu, the analysis views by window name, as `table` takes them.
void runViews(const Args& args, std::ostream& out) {
    if (args.size() == 1 && args[0] == "--menu")
        return printMenu(out);
    if (!args.empty())
        throw CliError{"引数が正しくありません。使い方: kazutama-cli views [--menu]"};
    for (const ViewEntry& entry : ViewCatalogue::entries())
        out << entry.windowName << '\n';
}

} // namespace kazutama::cli
