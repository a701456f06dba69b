#pragma once

#include "grid/ui/GridPainter.h"

#include <QStyledItemDelegate>

class QTableView;

namespace kazutama {

class ResultGrid;

// Paints the cells of a ResultGrid in the table view that shows it, through the GridPainter that paints
// the grid everywhere else too, at the places the view's headers give.
class ResultGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ResultGridDelegate(const ResultGrid& grid, QTableView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QTableView* m_view;
    GridPainter m_painter;
};

} // namespace kazutama
