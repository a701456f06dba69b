#include "grid/ui/FixedGridGeometry.h"

#include "grid/ResultGrid.h"
#include "grid/ui/GridMetrics.h"

namespace kazutama {

FixedGridGeometry::FixedGridGeometry(const ResultGrid& grid, QPoint origin) {
    m_columnEdges.push_back(origin.x());
    for (int column = 1; column <= grid.columnCount(); ++column)
        m_columnEdges.push_back(m_columnEdges.back() + GridMetrics::columnPixels(grid.columnWidth(column)));
    m_rowEdges.push_back(origin.y());
    for (int row = 1; row <= grid.rowCount(); ++row)
        m_rowEdges.push_back(m_rowEdges.back() + GridMetrics::rowPixels(grid.rowHeight(row)));
}

QSize FixedGridGeometry::size() const {
    return QSize(m_columnEdges.back() - m_columnEdges.front(), m_rowEdges.back() - m_rowEdges.front());
}

} // namespace kazutama
