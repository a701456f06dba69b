#pragma once

#include "grid/ResultGrid.h"
#include "grid/ui/GridPainter.h"

#include <QPersistentModelIndex>
#include <QTableView>
#include <memory>
#include <vector>

namespace kazutama {

class ResultGridModel;

// The read-only table widget every view shows its ResultGrid in. It paints exactly the colours and borders
// the grid sets, takes no edits, and scrolls by pixels. Like a spreadsheet it has a current cell and a
// selection, moved by the keyboard and the mouse and drawn over the cells, and copies the selection to the
// clipboard (Ctrl+C, "コピー"). It finds a text (Ctrl+F) and, in a table of draws, a draw (Ctrl+G). A view
// that takes no focus (the prediction view's small grids) shows neither and copies its whole table.
//
// The table's heading rows and columns (the block a printed page repeats) stay in place while the rest
// scrolls under them, so that a row and a column can be read at every scroll position. Along a side where
// they would take more than half the view, they scroll with the rest.
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

    // Where a cell shows in the viewport: a heading row or column stays where the table starts.
    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    // Scrolls the cell into the part of the view below and beside the frozen headings.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

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
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    // The block from the cell the selection started at to the cell at the rectangle's second corner. The
    // item view passes both ends as viewport points, and a point under the heading rows could be a heading
    // cell or a cell scrolled under it: the start is taken as the cell, not the point.
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The heading rows and columns that stay in place at the view's present size, and the pixels they take.
    struct Frozen {
        int columns = 0, rows = 0;
        int width = 0, height = 0;
    };
    Frozen frozen() const;
    // The four parts of the viewport: the body, the heading rows above it, the heading columns beside it and
    // the corner where they meet; each with its cells' places.
    struct Pane;
    std::vector<Pane> panes() const;
    const Pane& paneAt(const std::vector<Pane>& panes, int column, int row) const;

    bool showsCursor() const { return focusPolicy() != Qt::NoFocus; }
    void paintSelection(QPainter& painter, const Pane& pane) const;
    void paintCursor(QPainter& painter, const std::vector<Pane>& panes) const;
    // The text shown at a viewport position if the cell's room cuts or narrows it, else an empty string.
    QString cutTextAt(QPoint position) const;
    void makeCurrent(int column, int row);

    ResultGridModel* m_model;
    std::unique_ptr<GridPainter> m_painter;
    int m_drawNumberColumn = 0;
    // The cell a selection started at, and whether the last key or mouse event extends the selection from
    // it (a move with Shift, a drag) rather than starting a new one where the current cell goes.
    QPersistentModelIndex m_anchor;
    mutable bool m_extends = false;
    QAction* m_find;
    QAction* m_goToDraw;
};

} // namespace kazutama
