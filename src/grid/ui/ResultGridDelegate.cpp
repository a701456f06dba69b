#include "grid/ui/ResultGridDelegate.h"

#include "grid/ui/GridGeometry.h"

#include <QPainter>
#include <QTableView>

namespace kazutama {

namespace {

// The cells' places in the view's viewport, where the view paints them.
class HeaderGeometry : public GridGeometry {
public:
    explicit HeaderGeometry(const QTableView& view) : m_view(view) {}

    int columnLeft(int column) const override { return m_view.columnViewportPosition(column - 1); }
    int columnWidth(int column) const override { return m_view.columnWidth(column - 1); }
    int rowTop(int row) const override { return m_view.rowViewportPosition(row - 1); }
    int rowHeight(int row) const override { return m_view.rowHeight(row - 1); }

private:
    const QTableView& m_view;
};

} // namespace

ResultGridDelegate::ResultGridDelegate(const ResultGrid& grid, QTableView* view)
    : QStyledItemDelegate(view), m_view(view), m_painter(grid, view->font()) {}

void ResultGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem&,
                               const QModelIndex& index) const {
    painter->save();
    m_painter.paintCell(*painter, HeaderGeometry(*m_view), index.column() + 1, index.row() + 1);
    painter->restore();
}

} // namespace kazutama
