#pragma once

#include "Report.h"
#include "store/Snapshot.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kazutama::bench {

// A history the bench measures on: the sample shipped with the program or a seeded random one.
struct NamedHistory {
    std::string name; // "sample", "695", ...
    Snapshot snapshot;
};

struct Run {
    bool quick = false;            // a smoke run: few repetitions, small histories
    std::filesystem::path self;    // this program, to measure start-up and memory in fresh processes
    std::filesystem::path scratch; // a folder for database files
    std::vector<NamedHistory> histories;

    int repetitions(int full) const { return quick ? 3 : full; }
    // The histories by name; the sample is only measured where the name list asks for it.
    std::vector<const NamedHistory*> pick(const std::vector<std::string>& names) const {
        std::vector<const NamedHistory*> picked;
        for (const std::string& name : names)
            for (const NamedHistory& history : histories)
                if (history.name == name)
                    picked.push_back(&history);
        return picked;
    }
};

void startupSection(Report& report, const Run& run);
void builderSection(Report& report, const Run& run);
void gridSection(Report& report, const Run& run);
void memorySection(Report& report, const Run& run);
void predictionSection(Report& report, const Run& run);
void generatorSection(Report& report, const Run& run);

// The work of the child processes, each measured in a process of its own: the program started on the
// database in `folder` up to its painted prediction view; and the same with every analysis view open
// (peak memory). Each prints "name value" lines.
// `launched` is when the parent started the process.
int startupChild(const std::filesystem::path& folder, std::chrono::steady_clock::time_point launched);
int memoryChild(const std::filesystem::path& folder, std::chrono::steady_clock::time_point launched);

// Runs this program with `arguments` and the moment it was started, and returns the figures it printed, with
// "process": the child's whole life in ms.
std::map<std::string, double> runChild(const Run& run, const std::vector<std::string>& arguments);

// A database file in its own folder of `run.scratch` holding `history`, made once per history.
std::filesystem::path databaseFolder(const Run& run, const NamedHistory& history);

} // namespace kazutama::bench
