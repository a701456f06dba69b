// Opens and scrolls a view's table three ways on random histories of growing length: our grid widget, a
// QTableWidget holding one item per cell with its text and colours (what a table is usually built with),
// and an empty QTableView of the same size and section sizes (the floor Qt itself sets). Prints the medians
// and our time as a share of each.
//   kazutama-baseline-bench [VIEW...]     (default: a wide, a tall and a small view)

#include "BenchSupport.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"
#include "store/StartupSummary.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kazutama;
using bench::medianMicroseconds;
using bench::randomHistory;

namespace {

constexpr int kRepetitions = 7;
constexpr int kScrolledPages = 12;
const QSize kViewSize(740, 600); // about the grid area of a real window

// Rows and columns, nothing in them.
class EmptyModel : public QAbstractTableModel {
public:
    EmptyModel(int columns, int rows) : m_columns(columns), m_rows(rows) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_columns; }
    QVariant data(const QModelIndex&, int) const override { return {}; }

private:
    int m_columns, m_rows;
};

// The most common size as the default and the others one by one, as our view sizes its sections, so that
// the baselines are not slowed by sizing that ours avoids.
template <typename Pixels> void sizeSections(QHeaderView& header, int count, Pixels pixels) {
    std::map<int, int> uses;
    for (int i = 1; i <= count; ++i)
        ++uses[pixels(i)];
    int common = 0, most = 0;
    for (auto [size, used] : uses)
        if (used > most)
            common = size, most = used;
    header.setMinimumSectionSize(1);
    header.setDefaultSectionSize(common);
    for (int i = 1; i <= count; ++i)
        if (pixels(i) != common)
            header.resizeSection(i - 1, pixels(i));
}

void sizeLike(QTableView& view, const ResultGrid& grid) {
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    sizeSections(*view.horizontalHeader(), grid.columnCount(),
                 [&](int c) { return GridMetrics::columnPixels(grid.columnWidth(c)); });
    sizeSections(*view.verticalHeader(), grid.rowCount(),
                 [&](int r) { return GridMetrics::rowPixels(grid.rowHeight(r)); });
}

std::unique_ptr<QTableView> openOurs(const ResultGrid& grid) {
    auto view = std::make_unique<ResultGridView>();
    view->resize(kViewSize);
    view->setGrid(grid);
    return view;
}

std::unique_ptr<QTableView> openWidget(const ResultGrid& grid) {
    auto view = std::make_unique<QTableWidget>(grid.rowCount(), grid.columnCount());
    view->resize(kViewSize);
    view->setFont(GridMetrics::font());
    sizeLike(*view, grid);
    for (int row = 1; row <= grid.rowCount(); ++row)
        for (int column = 1; column <= grid.columnCount(); ++column) {
            auto* item = new QTableWidgetItem(qs(grid.text(column, row)));
            if (const auto colour = grid.foreground(column, row))
                item->setForeground(qcolor(*colour));
            if (const auto colour = grid.background(column, row))
                item->setBackground(qcolor(*colour));
            view->setItem(row - 1, column - 1, item);
        }
    return view;
}

std::unique_ptr<QTableView> openEmpty(const ResultGrid& grid) {
    auto view = std::make_unique<QTableView>();
    view->resize(kViewSize);
    view->setModel(new EmptyModel(grid.columnCount(), grid.rowCount()));
    view->model()->setParent(view.get());
    sizeLike(*view, grid);
    return view;
}

using Opener = std::unique_ptr<QTableView> (*)(const ResultGrid&);

struct Times {
    double open = 0;   // construct, fill, show, first complete paint
    double scroll = 0; // one page further, painted, on average
};

Times timeTable(Opener open, const ResultGrid& grid) {
    Times times;
    std::unique_ptr<QTableView> view;
    times.open = medianMicroseconds(
        kRepetitions, [&] { view.reset(); },
        [&] {
            view = open(grid);
            view->show();
            (void)view->grab();
        });
    // A wide table scrolls across, a tall one down.
    const bool wide = grid.columnCount() > grid.rowCount();
    times.scroll = medianMicroseconds(
                       kRepetitions,
                       [&] {
                           view = open(grid);
                           view->show();
                           (void)view->grab();
                       },
                       [&] {
                           QScrollBar* bar = wide ? view->horizontalScrollBar() : view->verticalScrollBar();
                           for (int page = 0; page < kScrolledPages; ++page) {
                               bar->setValue(bar->value() + bar->pageStep());
                               (void)view->grab();
                           }
                       }) /
                   kScrolledPages;
    view.reset();
    return times;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i)
        names.emplace_back(argv[i]);
    if (names.empty())
        names = {"出現頻度分析", "出現間隔分析", "回数別出現分析"};

    std::printf("ms, medians of %d runs; scroll: one page with a forced repaint, over %d pages\n", kRepetitions,
                kScrolledPages);
    for (const std::string& name : names) {
        const ViewEntry* entry = ViewCatalogue::find(name);
        if (!entry || !entry->builder) {
            std::fprintf(stderr, "%s: no such view, or it cannot be built yet\n", name.c_str());
            return 2;
        }
        std::printf("\n%s\n%6s %14s %8s %8s %8s %8s %8s %8s %9s %9s %11s\n", name.c_str(), "draws",
                    "columns x rows", "open", "widget", "empty", "scroll", "widget", "empty", "open/wid",
                    "open/empty", "scroll/wid");
        for (int draws : {695, 5000, 32000}) {
            const DrawHistory history = randomHistory(draws, 2024);
            const ResultGrid grid = entry->build(history, computeStartupSummary(history));
            const Times ours = timeTable(openOurs, grid);
            const Times widget = timeTable(openWidget, grid);
            const Times empty = timeTable(openEmpty, grid);
            const std::string extent = std::to_string(grid.columnCount()) + " x " + std::to_string(grid.rowCount());
            std::printf("%6d %14s %8.1f %8.1f %8.1f %8.2f %8.2f %8.2f %9.2f %9.2f %11.2f\n", draws,
                        extent.c_str(), ours.open / 1000, widget.open / 1000, empty.open / 1000, ours.scroll / 1000,
                        widget.scroll / 1000, empty.scroll / 1000, ours.open / widget.open, ours.open / empty.open,
                        ours.scroll / widget.scroll);
            std::fflush(stdout);
        }
    }
    return 0;
}
