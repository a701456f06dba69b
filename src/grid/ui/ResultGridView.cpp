#include "grid/ui/ResultGridView.h"

#include "grid/Colours.h"
#include "grid/ui/ResultGridDelegate.h"
#include "grid/ui/ResultGridModel.h"
#include "gui/QtText.h"

#include <QHeaderView>
#include <QScrollBar>

#include <map>

namespace kazutama {

ResultGridView::ResultGridView(QWidget* parent) : QTableView(parent), m_model(new ResultGridModel(this)) {
    setModel(m_model);
    setFont(GridMetrics::font());
    setItemDelegate(new ResultGridDelegate(m_model->grid(), this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(GridMetrics::rowPixels(10));
    horizontalScrollBar()->setSingleStep(GridMetrics::columnPixels(2));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, qcolor(colours::kDefaultBackground));
    palette.setColor(QPalette::Text, qcolor(colours::kDefaultText));
    setPalette(palette);
}

const ResultGrid& ResultGridView::grid() const { return m_model->grid(); }

void ResultGridView::setGrid(ResultGrid grid) {
    m_model->setGrid(std::move(grid));
    const ResultGrid& g = m_model->grid();

    // Most rows share one height: make it the default and set only the others, which keeps tables of
    // tens of thousands of rows quick to lay out.
    std::map<int, int> heights;
    for (int r = 1; r <= g.rowCount(); ++r)
        ++heights[GridMetrics::rowPixels(g.rowHeight(r))];
    int common = GridMetrics::rowPixels(ResultGrid::kDefaultRowHeight), most = 0;
    for (auto [height, count] : heights)
        if (count > most)
            common = height, most = count;
    verticalHeader()->setDefaultSectionSize(common);
    for (int r = 1; r <= g.rowCount(); ++r)
        if (const int h = GridMetrics::rowPixels(g.rowHeight(r)); h != common)
            setRowHeight(r - 1, h);
    for (int c = 1; c <= g.columnCount(); ++c)
        setColumnWidth(c - 1, GridMetrics::columnPixels(g.columnWidth(c)));

    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (g.currentRow() >= 1 && g.currentColumn() >= 1)
        scrollTo(m_model->index(g.currentRow() - 1, g.currentColumn() - 1), QAbstractItemView::PositionAtTop);
}

QSize ResultGridView::fullTableSize() const {
    int width = 0, height = 0;
    for (int c = 0; c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    for (int r = 0; r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return QSize(width + 2 * frameWidth(), height + 2 * frameWidth());
}

} // namespace kazutama
