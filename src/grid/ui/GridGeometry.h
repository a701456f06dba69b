#pragma once

#include "grid/CellFormat.h"

#include <QRect>

namespace kazutama {

// Where the columns and rows of a grid lie on a paint device, in its pixels; columns and rows are numbered
// from 1. A view answers from its headers, a page or an image from the grid's own sizes.
class GridGeometry {
public:
    virtual ~GridGeometry() = default;

    virtual int columnLeft(int column) const = 0;
    virtual int columnWidth(int column) const = 0;
    virtual int rowTop(int row) const = 0;
    virtual int rowHeight(int row) const = 0;

    QRect cellRect(int column, int row) const {
        return QRect(columnLeft(column), rowTop(row), columnWidth(column), rowHeight(row));
    }
    // The cells of `row` from span.first to span.last.
    QRect spanRect(ColumnSpan span, int row) const {
        const int left = columnLeft(span.first);
        return QRect(left, rowTop(row), columnLeft(span.last) + columnWidth(span.last) - left,
                     rowHeight(row));
    }
};

} // namespace kazutama
