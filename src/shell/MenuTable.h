#pragma once

#include <span>
#include <string_view>

namespace kazutama {

// One line of the main window's menu tree, in menu order.
struct MenuNode {
    enum class Kind { Submenu, Command };
    int level;                 // 0 on the menu bar, 1 in a menu, 2 in a submenu
    Kind kind;
    std::string_view name;     // objectName of the action or menu
    std::string_view caption;  // empty for analysis views: their caption comes from the view catalogue
    std::string_view view;     // the window a command opens, if any
};

std::span<const MenuNode> mainMenuTree();

// Names of the commands that are not plain view openers.
namespace menu {
inline constexpr std::string_view kEnd = "mnuEnd";
inline constexpr std::string_view kPrediction = "mnuYoso";
inline constexpr std::string_view kMasterInput = "mnuMasterInput";
inline constexpr std::string_view kMasterKanri = "mnuMasterKanri";
inline constexpr std::string_view kTileHorizontal = "mnuWindowHorizontal";
inline constexpr std::string_view kTileVertical = "mnuWindowVertical";
inline constexpr std::string_view kCascade = "mnuWindowCascade";
inline constexpr std::string_view kArrangeIcons = "mnuWindowArrangeIcon";
inline constexpr std::string_view kHelpFile = "mnuHelpFile";
inline constexpr std::string_view kAbout = "mnuAbout";
} // namespace menu

// Window names of the views that are not analyses.
inline constexpr std::string_view kPredictionViewName = "一発Kazutama予想";
inline constexpr std::string_view kEntryViewName = "当選データ入力";

} // namespace kazutama
