// The core's work: every analysis builder as a window builds it on opening, and the prediction engine
// (Fill tables, one run, the backtest and its shift sweep).

#include "BenchSupport.h"
#include "Sections.h"
#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "prediction/Backtest.h"
#include "prediction/PredictionEngine.h"

#include <stdexcept>

namespace kazutama::bench {

void builderSection(Report& report, const Run& run) {
    const int builds = run.repetitions(21);
    const std::vector<const NamedHistory*> histories = run.pick({"sample", "695", "5000", "32000"});
    Table table{"Analysis builders", "ms, medians of " + std::to_string(builds) + " builds", {"view"}, {}};
    for (const NamedHistory* history : histories)
        table.headings.push_back(history->name);
    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        const std::string view(entry.windowName);
        std::vector<std::string> row{view};
        for (const NamedHistory* history : histories) {
            long cells = 0;
            const double ms = medianMicroseconds(builds,
                                                 [&] {
                                                     const ResultGrid grid = entry.build(history->snapshot);
                                                     cells += long(grid.columnCount()) * grid.rowCount();
                                                 }) /
                              1000;
            if (cells == 0 && !history->snapshot.history().records().empty())
                throw std::runtime_error(view + " built an empty table");
            row.push_back(fixed(ms, 2));
            report.measure({"builders", view, "build", history->name, ms, "ms"});
            if (history->name == "5000")
                report.target({"builder " + view, history->name, ms, 5, "ms"});
            if (history->name == "32000")
                report.target({"builder " + view, history->name, ms, 30, "ms"});
        }
        table.rows.push_back(std::move(row));
    }
    report.add(std::move(table));
}

void predictionSection(Report& report, const Run& run) {
    const int repetitions = run.repetitions(21);
    const int walks = run.repetitions(5);
    AnalysisOptions options;
    options[1] = true; // a shift, as after the most common option click
    Table table{"Prediction",
                "ms; Fill tables and one run: medians of " + std::to_string(repetitions) +
                    "; the backtest (every draw predicted from the draws before it) and the sweep over every "
                    "shift: medians of " +
                    std::to_string(walks),
                {"history", "fill tables", "one run", "backtest", "shift sweep"},
                {}};
    for (const NamedHistory* history : run.pick({"sample", "695", "5000", "32000"})) {
        PredictionEngine engine;
        const double fill =
            medianMicroseconds(repetitions, [&] { engine.fillTables(history->snapshot); }) / 1000;
        std::size_t sink = 0;
        const double once =
            medianMicroseconds(repetitions, [&] { sink += engine.run(options).multiple.size(); }) / 1000;
        const double backtest =
            medianMicroseconds(
                walks, [&] { sink += runBacktest(history->snapshot.history(), options).draws.size(); }) /
            1000;
        const double sweep =
            medianMicroseconds(walks, [&] { sink += runShiftSweep(history->snapshot.history()).size(); }) /
            1000;
        if (sink == 0)
            throw std::runtime_error("the prediction proposed nothing");
        table.rows.push_back(
            {history->name, fixed(fill, 2), fixed(once, 3), fixed(backtest, 1), fixed(sweep, 1)});
        for (const auto& [quantity, value] : {std::pair{"fill tables", fill},
                                              {"one run", once},
                                              {"backtest", backtest},
                                              {"shift sweep", sweep}})
            report.measure({"prediction", "engine", quantity, history->name, value, "ms"});
    }
    report.add(std::move(table));
}

} // namespace kazutama::bench
