// Memory: what a built table keeps per cell, and the program's peak resident memory with every analysis
// view open, measured in fresh processes.

#include "BenchSupport.h"
#include "Sections.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"

#include <malloc.h>
#include <stdexcept>

namespace kazutama::bench {

namespace {

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace

void memorySection(Report& report, const Run& run) {
    std::vector<const NamedHistory*> histories = run.pick({"5000", "32000"});
    if (histories.empty())
        histories = run.pick({"695"});
    Table cells{
        "Memory: a built table", "heap bytes the table keeps, per cell (texts included)", {"view"}, {}};
    for (const NamedHistory* history : histories) {
        cells.headings.push_back("cells at " + history->name);
        cells.headings.push_back("bytes per cell");
    }
    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        const std::string view(entry.windowName);
        std::vector<std::string> row{view};
        for (const NamedHistory* history : histories) {
            const std::size_t before = heapInUse();
            const ResultGrid grid = entry.build(history->snapshot);
            const double kept = double(heapInUse()) - double(before);
            const long count = long(grid.columnCount()) * grid.rowCount();
            row.push_back(std::to_string(count));
            row.push_back(count ? fixed(kept / double(count), 1) : "—");
            if (count)
                report.measure(
                    {"memory", view, "bytes per cell", history->name, kept / double(count), "bytes"});
        }
        cells.rows.push_back(std::move(row));
    }
    report.add(std::move(cells));

    Table program{
        "Memory: the program with every analysis open",
        "MiB of resident memory in a fresh process: after start-up (the prediction view painted), then "
        "with all the analysis views opened from their menu commands and painted",
        {"history", "views", "after start-up", "all views open", "peak"},
        {}};
    for (const NamedHistory* history : run.pick({"sample", "695", "5000", "32000"})) {
        std::map<std::string, double> figures =
            runChild(run, {"--memory-child", databaseFolder(run, *history).string()});
        const double peak = figures["peak"] / 1024, open = figures["open"] / 1024,
                     started = figures["started"] / 1024;
        program.rows.push_back(
            {history->name, fixed(figures["views"], 0), fixed(started, 1), fixed(open, 1), fixed(peak, 1)});
        report.measure({"memory", "program", "resident after start-up", history->name, started, "MiB"});
        report.measure({"memory", "program", "peak with every analysis open", history->name, peak, "MiB"});
        if (history->name == "32000")
            report.target({"peak memory with every analysis open", history->name, peak, 150, "MiB"});
    }
    report.add(std::move(program));
}

} // namespace kazutama::bench
