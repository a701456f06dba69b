#pragma once

#include <QStyledItemDelegate>

namespace kazutama {

class ResultGrid;

// Paints one cell of a ResultGrid: background, its borders, and the text of whichever cell's text runs
// across it. Texts that would be cut are narrowed to fit rather than clipped.
class ResultGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ResultGridDelegate(const ResultGrid& grid, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintBorders(QPainter* painter, const QRect& rect, int column, int row) const;
    void paintText(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    const ResultGrid& m_grid;
};

} // namespace kazutama
