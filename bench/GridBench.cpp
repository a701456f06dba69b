// A view's table opened and scrolled three ways: in our grid widget; in a QTableWidget holding one item per
// cell with its text and colours (what a table is usually built with); and in an empty QTableView of the same
// size and section sizes (the floor Qt itself sets). Also the memory each keeps while open.

#include "BenchSupport.h"
#include "Sections.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridView.h"
#include "gui/QtText.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <array>
#include <chrono>
#include <malloc.h>
#include <map>
#include <memory>
#include <stdexcept>

namespace kazutama::bench {

namespace {

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
// the baselines are not slowed by sizing that ours avoids. The defaults are set before the sections exist
// (a new default resizes every section there is, one signal each), the others after.
template <typename Pixels> int commonSize(int count, Pixels pixels) {
    std::map<int, int> uses;
    for (int i = 1; i <= count; ++i)
        ++uses[pixels(i)];
    int common = 0, most = 0;
    for (auto [size, used] : uses)
        if (used > most)
            common = size, most = used;
    return common;
}

int columnPixels(const ResultGrid& grid, int column) {
    return GridMetrics::columnPixels(grid.columnWidth(column));
}
int rowPixels(const ResultGrid& grid, int row) {
    return GridMetrics::rowPixels(grid.rowHeight(row));
}

void sizeDefaultsLike(QTableView& view, const ResultGrid& grid) {
    for (QHeaderView* header : {view.horizontalHeader(), view.verticalHeader()}) {
        header->hide();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
    }
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.horizontalHeader()->setDefaultSectionSize(
        commonSize(grid.columnCount(), [&](int c) { return columnPixels(grid, c); }));
    view.verticalHeader()->setDefaultSectionSize(
        commonSize(grid.rowCount(), [&](int r) { return rowPixels(grid, r); }));
}

void sizeOthersLike(QTableView& view, const ResultGrid& grid) {
    for (int c = 1; c <= grid.columnCount(); ++c)
        if (columnPixels(grid, c) != view.horizontalHeader()->defaultSectionSize())
            view.horizontalHeader()->resizeSection(c - 1, columnPixels(grid, c));
    for (int r = 1; r <= grid.rowCount(); ++r)
        if (rowPixels(grid, r) != view.verticalHeader()->defaultSectionSize())
            view.verticalHeader()->resizeSection(r - 1, rowPixels(grid, r));
}

// `grid` is the builder's result, handed over as the analysis window hands it.
using Opener = std::unique_ptr<QTableView> (*)(ResultGrid&& grid);

std::unique_ptr<QTableView> openOurs(ResultGrid&& grid) {
    auto view = std::make_unique<ResultGridView>();
    view->resize(kViewSize);
    view->setGrid(std::move(grid));
    return view;
}

std::unique_ptr<QTableView> openWidget(ResultGrid&& grid) {
    auto view = std::make_unique<QTableWidget>();
    view->resize(kViewSize);
    view->setFont(GridMetrics::font());
    sizeDefaultsLike(*view, grid);
    view->setRowCount(grid.rowCount());
    view->setColumnCount(grid.columnCount());
    sizeOthersLike(*view, grid);
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

std::unique_ptr<QTableView> openEmpty(ResultGrid&& grid) {
    auto view = std::make_unique<QTableView>();
    view->resize(kViewSize);
    sizeDefaultsLike(*view, grid);
    view->setModel(new EmptyModel(grid.columnCount(), grid.rowCount()));
    view->model()->setParent(view.get());
    sizeOthersLike(*view, grid);
    return view;
}

struct Times {
    double open = 0;            // construct, fill, show, first complete paint (ms)
    std::optional<double> page; // one page further, painted (ms); none when the table fits the view
    double heapBytes = 0;       // kept while the view is open, the table's cells included
};

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Times the three ways of showing `grid` in turns, one opening (and one scroll through) of each per round:
// this machine's speed drifts over a minute, and taking turns keeps the drift out of the ratios. The item
// table takes part in the first `widgetRounds` rounds only.
std::array<Times, 3> timeTables(const std::array<Opener, 3>& openers, const ResultGrid& grid, int rounds,
                                int widgetRounds) {
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point from) {
        return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
    };
    const bool wide = grid.columnCount() > grid.rowCount(); // scrolls across, a tall one down
    std::array<std::vector<double>, 3> opens, pages;
    std::array<Times, 3> times;
    for (int round = 0; round < rounds; ++round)
        for (std::size_t way = 0; way < openers.size(); ++way) {
            if (way == 1 && round >= widgetRounds)
                continue;
            // Heap counted from before the table is handed over: our view keeps it, the others drop it.
            const std::size_t before = heapInUse();
            ResultGrid copy = grid;
            const auto start = Clock::now();
            std::unique_ptr<QTableView> view = openers[way](std::move(copy));
            view->show();
            (void)view->grab();
            opens[way].push_back(ms(start));
            if (round == 0)
                times[way].heapBytes = double(heapInUse()) - double(before);
            QScrollBar* bar = wide ? view->horizontalScrollBar() : view->verticalScrollBar();
            const int count = std::min(kScrolledPages, bar->maximum() / std::max(1, bar->pageStep()));
            if (count <= 0)
                continue;
            const auto scrolled = Clock::now();
            for (int page = 0; page < count; ++page) {
                bar->setValue(bar->value() + bar->pageStep());
                (void)view->grab();
            }
            pages[way].push_back(ms(scrolled) / count);
        }
    for (std::size_t way = 0; way < openers.size(); ++way) {
        times[way].open = median(opens[way]);
        if (!pages[way].empty())
            times[way].page = median(pages[way]);
    }
    return times;
}

} // namespace

void gridSection(Report& report, const Run& run) {
    struct Shape {
        const char* kind;
        const char* view;
    };
    const Shape shapes[] = {{"tall", "出現間隔分析"}, {"wide", "出現頻度分析"}, {"small", "回数別出現分析"}};
    const int repetitions = run.repetitions(11);
    Table opening{
        "Grid: opening a view's table",
        "ms, medians of " + std::to_string(repetitions) +
            " openings, offscreen: the widget made, the built table handed to it, shown and painted "
            "completely (the builder's own time is in its table)",
        {"view", "history", "columns × rows", "ours", "widget", "empty", "ours ÷ widget", "ours ÷ empty"},
        {}};
    Table scrolling{"Grid: scrolling",
                    "ms a page, medians of " + std::to_string(repetitions) + " runs of up to " +
                        std::to_string(kScrolledPages) +
                        " pages, each painted completely; across for a wide table, down for a tall one",
                    {"view", "history", "ours", "widget", "empty", "ours ÷ widget", "ours ÷ empty"},
                    {}};
    Table memory{"Grid: memory kept by an open view",
                 "MiB of heap while the view is open, its table included",
                 {"view", "history", "cells", "ours", "widget", "empty", "ours ÷ widget"},
                 {}};
    for (const Shape& shape : shapes) {
        const ViewEntry* entry = ViewCatalogue::find(shape.view);
        if (!entry)
            throw std::runtime_error(std::string(shape.view) + " is not in the catalogue");
        for (const NamedHistory* history : run.pick({"695", "5000", "32000"})) {
            const ResultGrid grid = entry->build(history->snapshot);
            // The item table at 32,000 draws takes seconds an opening; fewer openings keep the run short.
            const int widgetRepetitions =
                grid.columnCount() * grid.rowCount() > 100000 ? std::min(repetitions, 5) : repetitions;
            const auto [ours, widget, empty] =
                timeTables({openOurs, openWidget, openEmpty}, grid, repetitions, widgetRepetitions);
            const std::string subject = std::string(shape.view) + " (" + shape.kind + ")";
            const std::string extent =
                std::to_string(grid.columnCount()) + " × " + std::to_string(grid.rowCount());
            opening.rows.push_back({subject, history->name, extent, fixed(ours.open, 2),
                                    fixed(widget.open, 2), fixed(empty.open, 2),
                                    fixed(ours.open / widget.open, 2), fixed(ours.open / empty.open, 2)});
            report.measure({"grid", subject, "open", history->name, ours.open, "ms"});
            report.measure({"grid", subject, "open, QTableWidget", history->name, widget.open, "ms"});
            report.measure({"grid", subject, "open, empty QTableView", history->name, empty.open, "ms"});
            report.target(
                {"open " + subject + " ÷ empty grid", history->name, ours.open / empty.open, 1.5, "×"});
            if (ours.page && widget.page && empty.page) {
                scrolling.rows.push_back({subject, history->name, fixed(*ours.page, 2),
                                          fixed(*widget.page, 2), fixed(*empty.page, 2),
                                          fixed(*ours.page / *widget.page, 2),
                                          fixed(*ours.page / *empty.page, 2)});
                report.measure({"grid", subject, "scroll a page", history->name, *ours.page, "ms"});
                report.measure(
                    {"grid", subject, "scroll a page, QTableWidget", history->name, *widget.page, "ms"});
                report.measure(
                    {"grid", subject, "scroll a page, empty QTableView", history->name, *empty.page, "ms"});
                report.target(
                    {"scroll " + subject + " ÷ widget", history->name, *ours.page / *widget.page, 0.4, "×"});
                report.target({"scroll " + subject, history->name, *ours.page, 8, "ms"});
            }
            constexpr double kMiB = 1024.0 * 1024.0;
            memory.rows.push_back(
                {subject, history->name, std::to_string(long(grid.columnCount()) * grid.rowCount()),
                 fixed(ours.heapBytes / kMiB, 2), fixed(widget.heapBytes / kMiB, 2),
                 fixed(empty.heapBytes / kMiB, 2), fixed(ours.heapBytes / widget.heapBytes, 3)});
            report.measure({"grid", subject, "heap kept open", history->name, ours.heapBytes / kMiB, "MiB"});
            report.measure({"grid", subject, "heap kept open, QTableWidget", history->name,
                            widget.heapBytes / kMiB, "MiB"});
        }
    }
    report.add(std::move(opening));
    report.add(std::move(scrolling));
    report.add(std::move(memory));
}

} // namespace kazutama::bench
