#pragma once

#include "grid/ResultGrid.h"

#include <string>

namespace kazutama {

// A block of a ResultGrid as the clipboard takes it: tab-separated texts, which a spreadsheet pastes into
// its cells, and an HTML table with the block's colours, alignments, lines and sizes.
class GridCopy {
public:
    // Rows joined by "\n", cells by "\t", each cell's own text (not the text a neighbour runs on into it).
    static std::string tabSeparated(const ResultGrid& grid, const ResultGrid::Range& cells);
    static std::string html(const ResultGrid& grid, const ResultGrid::Range& cells);
};

} // namespace kazutama
