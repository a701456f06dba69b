#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kazutama::bench {

// One table of the report, as printed and as written into the Markdown file: texts only, the numbers
// already formatted by the section that measured them.
struct Table {
    std::string title;
    std::string note; // a line under the title: what the figures are (medians of how many runs, units)
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

// One measured figure, as the JSON file lists it.
struct Measure {
    std::string section;  // "startup", "builders", "grid", "memory", "prediction", "generate"
    std::string subject;  // a view's window name, "history", "prediction view", ...
    std::string quantity; // "open", "scroll per page", "load", "peak RSS", ...
    std::string history;  // "sample", "695", "5000", "32000"
    double value = 0;
    std::string unit; // "ms", "MiB", "bytes", "×"
};

// A limit a figure must keep: holds when value ≤ limit.
struct Target {
    std::string what;
    std::string history;
    double value = 0;
    double limit = 0;
    std::string unit;
    bool holds() const { return value <= limit; }
};

class Report {
public:
    // Prints the table at once (a long run shows its progress) and keeps it for the Markdown file.
    void add(Table table);
    void measure(Measure measure) { m_measures.push_back(std::move(measure)); }
    void target(Target target) { m_targets.push_back(std::move(target)); }

    // The targets' table, printed last.
    void printTargets() const;
    bool allTargetsHold() const;

    std::string json(const std::string& date,
                     const std::vector<std::pair<std::string, std::string>>& machine) const;
    // The whole report as Markdown; `notes` (written by hand, about the misses and their profiles) go at
    // the end unchanged.
    std::string markdown(const std::string& date,
                         const std::vector<std::pair<std::string, std::string>>& machine,
                         const std::string& command, const std::string& notes) const;

private:
    Table targetsTable() const;

    std::vector<Table> m_tables;
    std::vector<Measure> m_measures;
    std::vector<Target> m_targets;
};

// Formats a figure with `decimals` places ("12.3").
std::string fixed(double value, int decimals);

} // namespace kazutama::bench
