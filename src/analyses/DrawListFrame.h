#pragma once

#include "grid/CellFormat.h"
#include "grid/ResultGrid.h"
#include "store/DrawRecord.h"

#include <array>
#include <string_view>

namespace kazutama {

// The headings of the nine numbers of a draw in the tables that list draws one per row.
inline constexpr std::array<std::string_view, kBallCount> kNumberHeadings = {
    "第1数字", "第2数字", "第3数字", "第4数字", "第5数字", "第6数字", "第7数字", "ボ数字1", "ボ数字2",
};

// The frame shared by the two interval views: the draw number in column 1, each of the nine numbers of a
// draw in an even column with its result in the odd column to its right, and a two-row header that comes
// again, mirrored, below the last draw row so that the labels always sit next to the data.
struct DrawListLayout {
    std::string_view resultHeading; // above every result column
    int mainTitleColumn;            // where the main-number title is written
    HorizontalAlignment mainTitleAlignment;
    int bonusBlockFirstColumn; // the title row reads across 2 .. this - 1 and this .. 19
};

namespace drawlist {
inline constexpr int kColumns = 2 * kBallCount + 1;
inline constexpr int kFirstDrawRow = 3;

constexpr int numberColumn(int position) {
    return 2 * position;
}
constexpr int resultColumn(int position) {
    return 2 * position + 1;
}
constexpr int lastDrawRow(int drawCount) {
    return drawCount + 2;
}
} // namespace drawlist

// Sizes the table for drawCount draw rows and writes everything but the draws.
void setUpDrawList(ResultGrid& grid, int drawCount, const DrawListLayout& layout);

// The draw number and the nine numbers, as stored, into one row.
void writeDrawNumbers(ResultGrid& grid, int row, const DrawRecord& record);

} // namespace kazutama
