#include "Report.h"

#include "common/JsonText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kazutama::bench {

namespace {

// Terminal columns of a UTF-8 text: the Japanese texts take two columns a character.
std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned codePoint = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + std::size_t(k) < text.size(); ++k)
            codePoint = codePoint << 6 | (static_cast<unsigned char>(text[i + std::size_t(k)]) & 0x3F);
        width += codePoint >= 0x2E80 ? 2 : 1;
        i += std::size_t(length);
    }
    return width;
}

void print(const Table& table) {
    std::vector<std::size_t> widths(table.headings.size(), 0);
    const auto widen = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(cells[c]));
    };
    widen(table.headings);
    for (const auto& row : table.rows)
        widen(row);
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string out;
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const std::string pad(widths[c] - displayWidth(cells[c]), ' ');
            // The first column names the row and reads from the left; figures line up on the right.
            out += c == 0 ? cells[c] + pad : "  " + pad + cells[c];
        }
        std::printf("%s\n", out.c_str());
    };
    std::printf("\n%s\n", table.title.c_str());
    if (!table.note.empty())
        std::printf("(%s)\n", table.note.c_str());
    line(table.headings);
    for (const auto& row : table.rows)
        line(row);
    std::fflush(stdout);
}

std::string markdownTable(const Table& table) {
    const auto line = [](const std::vector<std::string>& cells) {
        std::string out = "|";
        for (const std::string& cell : cells)
            out += " " + cell + " |";
        return out + "\n";
    };
    std::string out = line(table.headings) + "|";
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        out += c == 0 ? "---|" : "---:|";
    out += "\n";
    for (const auto& row : table.rows)
        out += line(row);
    return out;
}

std::string jsonNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string jsonObject(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += (i ? ", " : "") + jsonString(fields[i].first) + ": " + fields[i].second;
    return out + "}";
}

} // namespace

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void Report::add(Table table) {
    print(table);
    m_tables.push_back(std::move(table));
}

Table Report::targetsTable() const {
    Table table{"Targets",
                "each figure against its limit, misses first",
                {"target", "history", "measured", "limit", "result"},
                {}};
    std::vector<Target> targets = m_targets;
    std::stable_partition(targets.begin(), targets.end(), [](const Target& t) { return !t.holds(); });
    for (const Target& t : targets) {
        const int decimals = t.unit == "×" ? 2 : 1;
        std::string result = "holds";
        if (!t.holds())
            result = "misses by " + fixed(100.0 * (t.value - t.limit) / t.limit, 0) + " %";
        table.rows.push_back({t.what, t.history, fixed(t.value, decimals) + " " + t.unit,
                              "≤ " + fixed(t.limit, decimals) + " " + t.unit, result});
    }
    return table;
}

void Report::printTargets() const {
    print(targetsTable());
}

bool Report::allTargetsHold() const {
    return std::all_of(m_targets.begin(), m_targets.end(), [](const Target& t) { return t.holds(); });
}

std::string Report::json(const std::string& date,
                         const std::vector<std::pair<std::string, std::string>>& machine) const {
    std::vector<std::pair<std::string, std::string>> machineFields;
    for (const auto& [key, value] : machine)
        machineFields.emplace_back(key, jsonString(value));
    std::string out = "{\n  \"date\": " + jsonString(date) +
                      ",\n  \"machine\": " + jsonObject(machineFields) + ",\n  \"measures\": [";
    for (std::size_t i = 0; i < m_measures.size(); ++i) {
        const Measure& m = m_measures[i];
        out += std::string(i ? "," : "") + "\n    " +
               jsonObject({{"section", jsonString(m.section)},
                           {"subject", jsonString(m.subject)},
                           {"quantity", jsonString(m.quantity)},
                           {"history", jsonString(m.history)},
                           {"value", jsonNumber(m.value)},
                           {"unit", jsonString(m.unit)}});
    }
    out += "\n  ],\n  \"targets\": [";
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
        const Target& t = m_targets[i];
        out += std::string(i ? "," : "") + "\n    " +
               jsonObject({{"target", jsonString(t.what)},
                           {"history", jsonString(t.history)},
                           {"value", jsonNumber(t.value)},
                           {"limit", jsonNumber(t.limit)},
                           {"unit", jsonString(t.unit)},
                           {"holds", t.holds() ? "true" : "false"}});
    }
    return out + "\n  ]\n}\n";
}

std::string Report::markdown(const std::string& date,
                             const std::vector<std::pair<std::string, std::string>>& machine,
                             const std::string& command, const std::string& notes) const {
    std::string out = "# Performance\n\n";
    out += "Generated by `" + command + "` on " + date +
           "; everything below the notes' heading is written by hand and kept when the file is generated "
           "again. Times are medians; \"widget\" is the same table in a `QTableWidget` with one item per "
           "cell (text and colours), \"empty\" an empty `QTableView` of the same size and section sizes, "
           "both opened and scrolled the same way in the same run.\n\n";
    for (const auto& [key, value] : machine)
        out += "- " + key + ": " + value + "\n";
    const int misses =
        int(std::count_if(m_targets.begin(), m_targets.end(), [](const Target& t) { return !t.holds(); }));
    out += "\n## Targets\n\n";
    out += misses == 0 ? std::string("Every target holds.\n\n")
                       : std::to_string(misses) + " of " + std::to_string(m_targets.size()) +
                             " targets missed; the notes at the end say why.\n\n";
    out += markdownTable(targetsTable());
    for (const Table& table : m_tables) {
        out += "\n## " + table.title + "\n\n";
        if (!table.note.empty())
            out += table.note + ".\n\n";
        out += markdownTable(table);
    }
    return out + "\n" + notes;
}

} // namespace kazutama::bench
