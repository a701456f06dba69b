// Start-up: the database opened (key derivation and schema check), the history loaded and summarised from
// a real encrypted file, in this process; then the whole program, from its launch to the painted
// prediction view, in fresh processes.

#include "BenchSupport.h"
#include "Sections.h"
#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "store/Workspace.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <stdexcept>

namespace kazutama::bench {

std::filesystem::path databaseFolder(const Run& run, const NamedHistory& history) {
    const std::filesystem::path folder = run.scratch / ("history-" + history.name);
    if (std::filesystem::exists(folder / "Kazutama.mdb"))
        return folder;
    std::filesystem::create_directories(folder);
    auto store = DrawStore::create(ConnectionString::forApplicationFolder(folder));
    if (!store)
        throw std::runtime_error(store.error().message);
    if (auto imported = store->importDraws(history.snapshot.history().records()); !imported)
        throw std::runtime_error(imported.error().message);
    return folder;
}

void startupSection(Report& report, const Run& run) {
    const int repetitions = run.repetitions(21);
    Table table{
        "Start-up: the history from its encrypted file",
        "ms, medians of " + std::to_string(repetitions) + " runs in this process, each opening the file anew",
        {"history", "draws", "open database", "load history", "summary", "load + summary", "all three"},
        {}};
    for (const NamedHistory* history : run.pick({"sample", "695", "5000", "32000"})) {
        const ConnectionString connection =
            ConnectionString::forApplicationFolder(databaseFolder(run, *history));
        // Each run as at start-up: the file opened (the key derived, the schema checked), then its first
        // read, which decrypts every page of the history.
        std::vector<double> opens, loads, summaries;
        for (int i = 0; i < repetitions; ++i) {
            const auto start = std::chrono::steady_clock::now();
            auto store = DrawStore::open(connection);
            const auto opened = std::chrono::steady_clock::now();
            const DrawHistory loaded = std::move(store->loadHistory()).value();
            const auto read = std::chrono::steady_clock::now();
            const StartupSummary summary = computeStartupSummary(loaded);
            const auto summarised = std::chrono::steady_clock::now();
            if (loaded.records().size() != history->snapshot.history().records().size() ||
                summary.latestDrawNumber == 0)
                throw std::runtime_error("the stored history differs from the one written");
            const auto ms = [](auto from, auto to) {
                return std::chrono::duration<double, std::milli>(to - from).count();
            };
            opens.push_back(ms(start, opened));
            loads.push_back(ms(opened, read));
            summaries.push_back(ms(read, summarised));
        }
        const auto median = [](std::vector<double> values) {
            std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                             values.end());
            return values[values.size() / 2];
        };
        const double open = median(opens), load = median(loads), summarise = median(summaries);
        const double whole =
            medianMicroseconds(repetitions, [&] { (void)std::move(Workspace::open(connection)).value(); }) /
            1000;
        table.rows.push_back({history->name, std::to_string(history->snapshot.history().records().size()),
                              fixed(open, 2), fixed(load, 2), fixed(summarise, 2), fixed(load + summarise, 2),
                              fixed(whole, 2)});
        for (const auto& [quantity, value] : {std::pair{"open database", open},
                                              {"load history", load},
                                              {"summary", summarise},
                                              {"open, load and summary", whole}})
            report.measure({"startup", "history", quantity, history->name, value, "ms"});
        if (history->name == "32000")
            report.target(
                {"start-up: load and summarise the history", history->name, load + summarise, 20, "ms"});
    }
    report.add(std::move(table));

    const int launches = run.repetitions(7);
    Table program{
        "Start-up: the program to its painted prediction view",
        "ms, medians of " + std::to_string(launches) +
            " fresh processes, offscreen; \"launch\" counts from the moment the process is started, "
            "\"main window\" from the main window's construction",
        {"history", "launch → painted", "of which Qt and fonts", "main window → painted", "whole process"},
        {}};
    for (const NamedHistory* history : run.pick({"sample", "695", "32000"})) {
        const std::string folder = databaseFolder(run, *history).string();
        std::map<std::string, std::vector<double>> runs;
        for (int i = 0; i < launches; ++i)
            for (const auto& [name, value] : runChild(run, {"--startup-child", folder}))
                runs[name].push_back(value);
        std::map<std::string, double> median;
        for (auto& [name, values] : runs) {
            std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                             values.end());
            median[name] = values[values.size() / 2];
        }
        program.rows.push_back({history->name, fixed(median["painted"], 1), fixed(median["qt"], 1),
                                fixed(median["window"], 1), fixed(median["process"], 1)});
        report.measure({"startup", "program", "launch to painted prediction view", history->name,
                        median["painted"], "ms"});
        report.measure({"startup", "program", "Qt and fonts", history->name, median["qt"], "ms"});
        report.measure({"startup", "program", "main window to painted prediction view", history->name,
                        median["window"], "ms"});
        if (history->name == "32000")
            report.target(
                {"start-up to the painted prediction view", history->name, median["painted"], 110, "ms"});
    }
    report.add(std::move(program));
}

} // namespace kazutama::bench
