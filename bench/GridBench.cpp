// Times 出現頻度分析 from history to pixels on random histories of growing length: the builder, handing
// the grid to a shown ResultGridView, and the view's first complete paint at the table's left and right ends.

#include "BenchSupport.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "grid/ui/ResultGridView.h"
#include "store/StartupSummary.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace kazutama;
using bench::medianMicroseconds;
using bench::randomHistory;

namespace {

constexpr int kRepetitions = 11;

struct ViewTimes {
    double setGrid = 0;
    double firstPaint = 0;
    double lastPagePaint = 0;
};

// A fresh view per run, as each opening of the window makes one; about the grid area of the real window.
std::unique_ptr<ResultGridView> shownView() {
    auto view = std::make_unique<ResultGridView>();
    view->resize(740, 600);
    view->show();
    QApplication::processEvents();
    return view;
}

ViewTimes timeView(const ResultGrid& grid) {
    std::unique_ptr<ResultGridView> view;
    ResultGrid copy;
    ViewTimes times;
    const auto prepare = [&] {
        view = shownView();
        copy = grid;
    };
    times.setGrid = medianMicroseconds(kRepetitions, prepare, [&] { view->setGrid(std::move(copy)); });
    times.firstPaint = medianMicroseconds(
        kRepetitions, [&] { prepare(), view->setGrid(std::move(copy)); }, [&] { (void)view->grab(); });
    times.lastPagePaint = medianMicroseconds(
        kRepetitions,
        [&] {
            prepare(), view->setGrid(std::move(copy));
            (void)view->grab();
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        },
        [&] { (void)view->grab(); });
    return times;
}

// The worst case for texts that run on: a wide table whose rows are nearly empty, every text free to
// run on, so most painted cells are covered by a text far away or by none.
ResultGrid sparseGrid(int columns, int rows) {
    ResultGrid grid(columns, rows);
    grid.setColumnWidth(ResultGrid::kAll, 2);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setTextRunsOn(true);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    for (int row = 1; row <= rows; ++row)
        grid.setText(columns / 3 + row * 97 % (columns / 3), row, "sparse");
    return grid;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The views named on the command line (window names), or the widest one.
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i)
        names.emplace_back(argv[i]);
    if (names.empty())
        names.emplace_back("出現頻度分析");
    for (const std::string& name : names) {
        const ViewEntry* entry = ViewCatalogue::find(name);
        if (!entry || !entry->builder) {
            std::fprintf(stderr, "%s: no such view, or it cannot be built yet\n", name.c_str());
            return 2;
        }
        std::printf("%s, medians of %d runs (ms)\n", name.c_str(), kRepetitions);
        std::printf("%7s %8s %8s %9s %9s %12s %16s\n", "draws", "columns", "rows", "builder", "setGrid",
                    "first paint", "last page paint");
        for (int draws : {695, 5000, 32000}) {
            const DrawHistory history = randomHistory(draws, 2024);
            const StartupSummary summary = computeStartupSummary(history);
            ResultGrid grid;
            const double build = medianMicroseconds(kRepetitions, [&] { grid = entry->build(history, summary); });
            const ViewTimes view = timeView(grid);
            std::printf("%7d %8d %8d %9.2f %9.2f %12.2f %16.2f\n", draws, grid.columnCount(), grid.rowCount(),
                        build / 1000, view.setGrid / 1000, view.firstPaint / 1000, view.lastPagePaint / 1000);
        }
    }
    const ResultGrid sparse = sparseGrid(32000, 39);
    const ViewTimes view = timeView(sparse);
    std::printf("%7s %8d %8d %9s %9.2f %12.2f %16.2f\n", "sparse", sparse.columnCount(), sparse.rowCount(), "-",
                view.setGrid / 1000,
                view.firstPaint / 1000, view.lastPagePaint / 1000);
    return 0;
}
