#include "analyses/ui/AnalysisView.h"

#include "analyses/ui/DescriptionLayout.h"
#include "analyses/ui/LegendWidget.h"
#include "grid/ResultGrid.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "store/Workspace.h"

#include <QHBoxLayout>
#include <QPushButton>
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
        connect(print, &QPushButton::clicked, this, [this] { previewTable(window(), document()); });
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
    m_grid->setGrid(m_entry.build(m_workspace.snapshot()));
}

} // namespace kazutama
