#pragma once

#include "common/ViewGeometry.h"
#include "grid/LegendEntry.h"

#include <optional>
#include <span>
#include <string_view>

namespace kazutama {

class ResultGrid;
class Snapshot;

// Builds a view's whole table from the start-up snapshot. One builder can serve several views, each with
// its own parameter (the group count of the division views, the pattern of the combination views). A
// reference, not a pointer: every catalogue row must name its builder, and none can be null.
using ViewBuilder = ResultGrid (&)(const Snapshot& snapshot, int parameter);

// What the program knows of one analysis view before it is opened. Rows are written with designated
// initialisers: most fields are texts, and two swapped texts would still compile. The fields without a
// default are the ones every row must give (the compiler warns of a missing one).
struct ViewEntry {
    std::string_view windowName; // the window's objectName
    std::string_view caption;
    std::string_view menuItem; // objectName of the menu action that opens the view
    std::string_view menuText;
    ViewGeometry geometry;
    std::string_view label; // the text of Label1
    std::span<const LegendEntry> legend = {};
    bool showsPrintButton = true; // Command2 "印刷"
    MessagePump pump = MessagePump::BeforeBuild;
    // Where the grid keeps its top-left corner inside the window while its size follows the window's;
    // empty: the grid starts wherever the description above it ends.
    std::optional<TwipsPoint> gridOrigin = {};
    ViewBuilder builder;
    int parameter = 0; // passed to the builder
    // The table's column (from 1) that holds a draw number in every draw row, where "回へ移動" finds a draw;
    // 0: the table lists no draws.
    int drawNumberColumn = 0;

    // The view's table, from the builder with this entry's parameter.
    ResultGrid build(const Snapshot& snapshot) const;
};

} // namespace kazutama
