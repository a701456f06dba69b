#pragma once

#include "grid/ui/GridPainter.h"

#include <QTableView>
#include <memory>

namespace kazutama {

class ResultGrid;
class ResultGridModel;

// The read-only table widget every view shows its ResultGrid in. It paints exactly the colours and borders
// the grid sets, takes no edits and no selection, and scrolls by pixels.
class ResultGridView : public QTableView {
    Q_OBJECT
public:
    explicit ResultGridView(QWidget* parent = nullptr);

    // Shows `grid`: sizes its columns and rows from the grid's units and scrolls to its current cell.
    void setGrid(ResultGrid grid);
    const ResultGrid& grid() const;

    // The size that shows the whole table without scroll bars.
    QSize fullTableSize() const;

protected:
    // The visible cells in one pass rather than cell by cell through a delegate: a page of a table holds a
    // few thousand cells, and the item view's per-cell set-up cost more than painting them.
    void paintEvent(QPaintEvent* event) override;

private:
    ResultGridModel* m_model;
    std::unique_ptr<GridPainter> m_painter;
};

} // namespace kazutama
