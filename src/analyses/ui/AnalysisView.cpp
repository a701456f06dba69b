#include "analyses/ui/AnalysisView.h"

#include "analyses/ui/DescriptionLayout.h"
#include "analyses/ui/LegendWidget.h"
#include "grid/ResultGrid.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "store/Workspace.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr int kMargin = 6;

// The description in a block at least `height` pixels high, at its top: whatever room the description
// leaves, the grid below the block starts at the same place.
QWidget* blockOfAtLeast(QLayout* description, int height, QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(description);
    layout->addStretch();
    block->setMinimumHeight(height);
    return block;
}

} // namespace

AnalysisView::AnalysisView(ViewGuard& guard, const ViewEntry& entry, const Workspace& workspace,
                           QWidget* parent)
    : ChildView(guard, parent), m_entry(entry), m_workspace(workspace), m_grid(new ResultGridView(this)) {
    setObjectName(qs(entry.windowName));
    setWindowTitle(qs(entry.caption));
    m_grid->setObjectName("fpSpread1");
    m_grid->setDrawNumberColumn(entry.drawNumberColumn);

    auto* label = new WrappingLabel(qs(entry.label), this);
    label->setObjectName("Label1");
    auto* top = new DescriptionLayout;
    top->addWidget(label);
    if (!entry.legend.empty())
        top->addWidget(new LegendWidget(entry.legend, this));

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("Command1");
    connect(close, &QPushButton::clicked, this, &ChildView::closeView);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (entry.showsPrintButton) {
        auto* print = new QPushButton(QStringLiteral("印刷"), this);
        print->setObjectName("Command2");
        connect(print, &QPushButton::clicked, this, &ChildView::print);
        buttons->addWidget(print);
    }
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    if (entry.gridOrigin) {
        // The grid's corner stays put and the grid takes the window's size less the same margin on the
        // right. A description too long for the room above the corner pushes the grid down rather than
        // hide under it.
        const int left = twipsToPixels(entry.gridOrigin->left);
        const int gridTop = twipsToPixels(entry.gridOrigin->top);
        layout->setSpacing(kMargin);
        layout->setContentsMargins(left, kMargin, left, kMargin);
        layout->addWidget(blockOfAtLeast(top, gridTop - 2 * kMargin, this));
    } else {
        layout->addLayout(top);
    }
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    addTableCommands(m_grid, [this] { return document(); });
}

void AnalysisView::print() {
    previewTable(window(), document());
}

TableDocument AnalysisView::document() const {
    return analysisDocument(m_entry, m_grid->grid());
}

TableDocument analysisDocument(const ViewEntry& entry, const ResultGrid& grid) {
    TableDocument document(qs(entry.caption), qs(entry.label));
    document.setLegend(entry.legend);
    document.addTable(grid);
    return document;
}

void AnalysisView::build() {
    ++m_buildCount;
    ResultGrid grid = m_entry.build(m_workspace.snapshot());
    if (m_entry.gridOrigin)
        narrowColumnsToFit(grid, columnRoomAtGivenSize());
    GridPainter::fitWrappedRows(grid);
    m_grid->setGrid(std::move(grid));
}

int AnalysisView::columnRoomAtGivenSize() const {
    // The window is not laid out yet while it builds, so the room is worked out from its given width: less
    // the sub-window's frame, the margins either side of the grid, the grid's frame and its vertical bar.
    const int windowWidth = twipsToPixels(m_entry.geometry.width);
    const int windowFrame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int margins = 2 * twipsToPixels(m_entry.gridOrigin->left);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_grid);
    return windowWidth - 2 * windowFrame - margins - 2 * m_grid->frameWidth() - scrollBar;
}

void narrowColumnsToFit(ResultGrid& grid, int room) {
    std::vector<double> widths;
    for (int column = 1; column <= grid.columnCount(); ++column)
        widths.push_back(grid.columnWidth(column));
    const auto pixels = [&](double scale) {
        int sum = 0;
        for (const double width : widths)
            sum += GridMetrics::columnPixels(width * scale);
        return sum;
    };
    // Narrowed in steps of a hundredth, no further than to half: below that the texts would not show.
    int percent = 100;
    while (percent > 50 && pixels(percent / 100.0) > room)
        --percent;
    if (percent == 100)
        return;
    for (int column = 1; column <= grid.columnCount(); ++column)
        grid.setColumnWidth(column, widths[std::size_t(column - 1)] * percent / 100.0);
}

} // namespace kazutama
