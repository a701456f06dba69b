#pragma once

#include "menus/WindowNames.h"

#include <string_view>
#include <vector>

namespace kazutama {

// One line of the main window's menu tree, in menu order.
struct MenuNode {
    enum class Kind { Submenu, Command };
    int level; // 0 on the menu bar, 1 in a menu, 2 in a submenu
    Kind kind;
    std::string_view name; // objectName of the action or menu
    std::string_view caption;
    std::string_view view; // the window a command opens, if any
};

// The whole tree. The lines that open an analysis take their names and captions from the view catalogue.
const std::vector<MenuNode>& mainMenuTree();

// A command and the way to it: its index among the items of each menu, from the menu bar down, and the
// captions along the way (the command's own last).
struct MenuPlace {
    const MenuNode* command;
    std::vector<int> positions;
    std::vector<std::string_view> captions;
};

// Every command of the tree with its place, in menu order.
std::vector<MenuPlace> menuCommandPlaces();

// Names of the commands that do not open an analysis.
namespace menu {
inline constexpr std::string_view kEnd = "mnuEnd";
inline constexpr std::string_view kPrediction = "mnuYoso";
inline constexpr std::string_view kMasterInput = "mnuMasterInput";
inline constexpr std::string_view kMasterKanri = "mnuMasterKanri";
inline constexpr std::string_view kRestoreBackup = "mnuRestoreBackup";
inline constexpr std::string_view kTickets = "mnuTickets";
inline constexpr std::string_view kHistoryCheck = "mnuHistoryCheck";
inline constexpr std::string_view kNumberSearch = "mnuNumberSearch";
inline constexpr std::string_view kTileHorizontal = "mnuWindowHorizontal";
inline constexpr std::string_view kTileVertical = "mnuWindowVertical";
inline constexpr std::string_view kCascade = "mnuWindowCascade";
inline constexpr std::string_view kArrangeIcons = "mnuWindowArrangeIcon";
inline constexpr std::string_view kHelpFile = "mnuHelpFile";
inline constexpr std::string_view kAbout = "mnuAbout";
} // namespace menu

} // namespace kazutama
