#include "grid/ui/ResultGridView.h"

#include "grid/Colours.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridDelegate.h"
#include "grid/ui/ResultGridModel.h"

#include <QHeaderView>
#include <QScrollBar>

#include <map>
#include <vector>

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

namespace {

// Qt sizes sections one at a time, each in time that grows with their number: setting 32,000 column
// widths one by one takes half a second. Most sections of a table share one size, so that size becomes
// the header's default and only the others are set one by one.
template <typename Pixels> void setSectionSizes(QHeaderView& header, int count, int fallback, Pixels pixels) {
    std::vector<int> sizes(static_cast<std::size_t>(count));
    std::map<int, int> uses;
    for (int i = 0; i < count; ++i)
        ++uses[sizes[std::size_t(i)] = pixels(i + 1)];
    int common = fallback, most = 0;
    for (auto [size, used] : uses)
        if (used > most)
            common = size, most = used;
    header.setDefaultSectionSize(common);
    for (int i = 0; i < count; ++i)
        if (sizes[std::size_t(i)] != common)
            header.resizeSection(i, sizes[std::size_t(i)]);
}

} // namespace

const ResultGrid& ResultGridView::grid() const { return m_model->grid(); }

void ResultGridView::setGrid(ResultGrid grid) {
    m_model->setGrid(std::move(grid));
    const ResultGrid& g = m_model->grid();
    setSectionSizes(*horizontalHeader(), g.columnCount(),
                    GridMetrics::columnPixels(ResultGrid::kDefaultColumnWidth),
                    [&](int column) { return GridMetrics::columnPixels(g.columnWidth(column)); });
    setSectionSizes(*verticalHeader(), g.rowCount(), GridMetrics::rowPixels(ResultGrid::kDefaultRowHeight),
                    [&](int row) { return GridMetrics::rowPixels(g.rowHeight(row)); });

    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (g.currentRow() >= 1 && g.currentColumn() >= 1)
        scrollTo(m_model->index(g.currentRow() - 1, g.currentColumn() - 1), QAbstractItemView::PositionAtTop);
}

QSize ResultGridView::fullTableSize() const {
    const int frame = 2 * frameWidth();
    return QSize(horizontalHeader()->length() + frame, verticalHeader()->length() + frame);
}

} // namespace kazutama
