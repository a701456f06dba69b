#include "grid/GridPages.h"

#include <algorithm>
#include <numeric>

namespace kazutama {

namespace {

int sum(const std::vector<int>& sizes, GridRange range) {
    if (range.empty())
        return 0;
    return std::accumulate(sizes.begin() + (range.first - 1), sizes.begin() + range.last, 0);
}

// The headings repeat when they leave at least half the frame to the body.
GridRange repeatedHeading(const std::vector<int>& sizes, int count, int room) {
    const GridRange heading{1, std::clamp(count, 0, int(sizes.size()))};
    return 2 * sum(sizes, heading) <= room ? heading : GridRange{};
}

// Consecutive bands of `body` whose sizes fit `room` each (the first band fits `firstRoom`); a band holds
// at least one item, however large. The items from `keepFrom` to the end stay in one band.
std::vector<GridRange> bands(const std::vector<int>& sizes, GridRange body, int firstRoom, int room,
                             int keepFrom) {
    std::vector<GridRange> out;
    int used = 0, limit = firstRoom;
    for (int i = body.first; i <= body.last; ++i) {
        const int size = sizes[std::size_t(i - 1)];
        if (i > keepFrom) {
            out.back().last = i;
            used += size;
            continue;
        }
        const int unit = i == keepFrom ? sum(sizes, {i, body.last}) : size;
        if (out.empty() || (used + unit > limit && used > 0)) {
            if (!out.empty())
                limit = room;
            out.push_back({i, i});
            used = 0;
        }
        out.back().last = i;
        used += size;
    }
    return out;
}

} // namespace

std::vector<TablePiece> paginate(const TableSizes& table, PageFrame frame, PageCursor& cursor) {
    const int columnCount = int(table.columnWidths.size()), rowCount = int(table.rowHeights.size());
    const GridRange headingRows = repeatedHeading(table.rowHeights, table.headingRows, frame.height);
    const GridRange headingColumns = repeatedHeading(table.columnWidths, table.headingColumns, frame.width);
    // A heading block that does not repeat is printed once, as the start of the body.
    const GridRange bodyRows{headingRows.last + 1, rowCount};
    const GridRange bodyColumns{headingColumns.last + 1, columnCount};
    const int headingHeight = sum(table.rowHeights, headingRows);
    const int headingWidth = sum(table.columnWidths, headingColumns);

    std::vector<TablePiece> pieces;
    if (bodyColumns.empty() && bodyRows.empty() && headingRows.empty())
        return pieces;

    // A page that has something on it already takes the table only if its headings and first row fit.
    const int firstRow = bodyRows.empty() ? 0 : table.rowHeights[std::size_t(bodyRows.first - 1)];
    if (cursor.top > 0 && cursor.top + headingHeight + firstRow > frame.height)
        cursor = {cursor.page + 1, 0};

    const int bodyHeight = frame.height - headingHeight;
    // The last body row above the footer; with no footer, the last row, which keeps nothing with it.
    const int keepFrom = std::max(bodyRows.first, rowCount - std::clamp(table.footerRows, 0, rowCount));
    std::vector<GridRange> rowBands =
        bands(table.rowHeights, bodyRows, bodyHeight - cursor.top, bodyHeight, keepFrom);
    if (rowBands.empty())
        rowBands.push_back(bodyRows); // headings alone
    std::vector<GridRange> columnBands = bands(table.columnWidths, bodyColumns, frame.width - headingWidth,
                                               frame.width - headingWidth, bodyColumns.last);
    if (columnBands.empty())
        columnBands.push_back(bodyColumns);

    for (std::size_t band = 0; band < rowBands.size(); ++band) {
        for (std::size_t across = 0; across < columnBands.size(); ++across) {
            if (band > 0 || across > 0)
                cursor = {cursor.page + 1, 0};
            pieces.push_back(
                {cursor.page, cursor.top, headingRows, headingColumns, rowBands[band], columnBands[across]});
        }
    }
    // The next table goes under this one, unless it ran across several column bands.
    const int lastHeight = headingHeight + sum(table.rowHeights, rowBands.back());
    if (columnBands.size() > 1)
        cursor = {cursor.page + 1, 0};
    else
        cursor.top += lastHeight;
    return pieces;
}

} // namespace kazutama
