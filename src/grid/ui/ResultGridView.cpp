#include "grid/ui/ResultGridView.h"

#include "grid/Colours.h"
#include "grid/ui/GridGeometry.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridModel.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <map>
#include <vector>

namespace kazutama {

ResultGridView::ResultGridView(QWidget* parent) : QTableView(parent), m_model(new ResultGridModel(this)) {
    setModel(m_model);
    setFont(GridMetrics::font());
    m_painter = std::make_unique<GridPainter>(m_model->grid(), font());
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

// The pixel sizes of a header's sections, as the header takes them: the most common one as its default, the
// others one by one.
struct SectionSizes {
    int common;
    std::vector<std::pair<int, int>> others; // (section from 0, size)
};

// Qt sizes sections one at a time, each in time that grows with their number: setting 32,000 column
// widths one by one takes half a second. Most sections of a table share one size, so that size becomes
// the header's default and only the others are set one by one.
template <typename Pixels> SectionSizes sectionSizes(int count, int fallback, Pixels pixels) {
    std::vector<int> sizes(static_cast<std::size_t>(count));
    std::map<int, int> uses;
    for (int i = 0; i < count; ++i)
        ++uses[sizes[std::size_t(i)] = pixels(i + 1)];
    SectionSizes result{fallback, {}};
    int most = 0;
    for (auto [size, used] : uses)
        if (used > most)
            result.common = size, most = used;
    for (int i = 0; i < count; ++i)
        if (sizes[std::size_t(i)] != result.common)
            result.others.emplace_back(i, sizes[std::size_t(i)]);
    return result;
}

} // namespace

const ResultGrid& ResultGridView::grid() const {
    return m_model->grid();
}

void ResultGridView::setGrid(ResultGrid grid) {
    const SectionSizes columns =
        sectionSizes(grid.columnCount(), GridMetrics::columnPixels(ResultGrid::kDefaultColumnWidth),
                     [&](int column) { return GridMetrics::columnPixels(grid.columnWidth(column)); });
    const SectionSizes rows =
        sectionSizes(grid.rowCount(), GridMetrics::rowPixels(ResultGrid::kDefaultRowHeight),
                     [&](int row) { return GridMetrics::rowPixels(grid.rowHeight(row)); });
    // A header tells the view of every section a new default size resizes, one signal each: the defaults
    // are set while the old table's sections, none on opening, are still there.
    horizontalHeader()->setDefaultSectionSize(columns.common);
    verticalHeader()->setDefaultSectionSize(rows.common);
    m_model->setGrid(std::move(grid));
    for (const auto& [section, size] : columns.others)
        horizontalHeader()->resizeSection(section, size);
    for (const auto& [section, size] : rows.others)
        verticalHeader()->resizeSection(section, size);
    const ResultGrid& g = m_model->grid();

    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (g.currentRow() >= 1 && g.currentColumn() >= 1)
        scrollTo(m_model->index(g.currentRow() - 1, g.currentColumn() - 1), QAbstractItemView::PositionAtTop);
}

void ResultGridView::paintEvent(QPaintEvent* event) {
    const ResultGrid& g = grid();
    const QRect area = event->rect();
    const int firstColumn = columnAt(area.left()) + 1, firstRow = rowAt(area.top()) + 1;
    if (firstColumn < 1 || firstRow < 1)
        return; // beyond the table, where the viewport's own background shows
    const int lastColumn = columnAt(area.right()) + 1, lastRow = rowAt(area.bottom()) + 1;
    // A block is painted with lines on all four sides, but a cell in the view shows its left and top lines
    // only at the table's edge, where no neighbour draws them: the block starts one cell further out, so
    // those lines fall outside the area.
    const GridBlock block{std::max(1, firstColumn - 1), lastColumn < 1 ? g.columnCount() : lastColumn,
                          std::max(1, firstRow - 1), lastRow < 1 ? g.rowCount() : lastRow};
    QPainter painter(viewport());
    m_painter->paintCells(painter, HeaderGeometry(*this), block);
}

QSize ResultGridView::fullTableSize() const {
    const int frame = 2 * frameWidth();
    return QSize(horizontalHeader()->length() + frame, verticalHeader()->length() + frame);
}

} // namespace kazutama
