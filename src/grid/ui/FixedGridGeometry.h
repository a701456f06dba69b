#pragma once

#include "grid/ui/GridGeometry.h"

#include <QSize>
#include <vector>

namespace kazutama {

class ResultGrid;

// A whole grid laid out from one corner at the pixel sizes GridMetrics gives its column widths and row
// heights, as on a page or in an image.
class FixedGridGeometry : public GridGeometry {
public:
    explicit FixedGridGeometry(const ResultGrid& grid, QPoint origin = {});

    int columnLeft(int column) const override { return m_columnEdges[std::size_t(column - 1)]; }
    int columnWidth(int column) const override {
        return m_columnEdges[std::size_t(column)] - m_columnEdges[std::size_t(column - 1)];
    }
    int rowTop(int row) const override { return m_rowEdges[std::size_t(row - 1)]; }
    int rowHeight(int row) const override {
        return m_rowEdges[std::size_t(row)] - m_rowEdges[std::size_t(row - 1)];
    }
    // The whole table's size.
    QSize size() const;

private:
    // Left edges of the columns and one more for the last column's right end; likewise for the rows.
    std::vector<int> m_columnEdges;
    std::vector<int> m_rowEdges;
};

} // namespace kazutama
