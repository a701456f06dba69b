#pragma once

#include "grid/ResultGrid.h"
#include "grid/ui/GridPainter.h"

#include <QTableView>
#include <memory>

namespace kazutama {

class ResultGridModel;

// The read-only table widget every view shows its ResultGrid in. It paints exactly the colours and borders
// the grid sets, takes no edits, and scrolls by pixels. Like a spreadsheet it has a current cell and a
// selection, moved by the keyboard and the mouse and drawn over the cells, and copies the selection to the
// clipboard (Ctrl+C, "コピー"). It finds a text (Ctrl+F) and, in a table of draws, a draw (Ctrl+G). A view
// that takes no focus (the prediction view's small grids) shows neither and copies its whole table.
class ResultGridView : public QTableView {
    Q_OBJECT
public:
    explicit ResultGridView(QWidget* parent = nullptr);

    // Shows `grid`: sizes its columns and rows from the grid's units and makes its current cell current,
    // at the top of the view.
    void setGrid(ResultGrid grid);
    const ResultGrid& grid() const;

    // The size that shows the whole table without scroll bars.
    QSize fullTableSize() const;

    // The cells the selection spans, or the whole table where the view shows no selection.
    ResultGrid::Range selectedCells() const;
    // Puts the selected cells on the clipboard as tab-separated text and as an HTML table.
    void copySelection() const;

    // The column (from 1) that holds the table's draw numbers, 0 where it has none: "回へ移動" is offered
    // only where there is one.
    void setDrawNumberColumn(int column);
    // Makes current, and scrolls into view, the next cell after the current one, row by row and round the
    // table once, whose text less its leading and trailing blanks is `text` less its own. False where no
    // cell shows it (or `text` is blank), and the current cell stays.
    bool findNext(const QString& text);
    // Makes current, and scrolls into view, the draw-number cell of draw `drawNumber`. False where the
    // table has no draw-number column or no row of that draw.
    bool goToDraw(int drawNumber);
    // "数字を検索" and "回へ移動": ask for the text or the draw, and tell the user when it is not there.
    void askFind();
    void askGoToDraw();

protected:
    // The visible cells in one pass rather than cell by cell through a delegate: a page of a table holds a
    // few thousand cells, and the item view's per-cell set-up cost more than painting them.
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    bool showsCursor() const { return focusPolicy() != Qt::NoFocus; }
    void paintCursor(QPainter& painter) const;
    // The text shown at a viewport position if the cell's room cuts or narrows it, else an empty string.
    QString cutTextAt(QPoint position) const;
    void makeCurrent(int column, int row);

    ResultGridModel* m_model;
    std::unique_ptr<GridPainter> m_painter;
    int m_drawNumberColumn = 0;
    QAction* m_goToDraw;
};

} // namespace kazutama
