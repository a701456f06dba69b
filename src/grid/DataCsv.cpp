#include "grid/DataCsv.h"

#include "grid/GridExport.h"
#include "grid/ResultGrid.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string_view>

namespace kazutama {

namespace {

constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";
// Marks that say a number is there; the tables leave a cell empty where it is not.
constexpr std::string_view kMarks[] = {"●", "■"};
// Units written after a count; the heading says what is counted.
constexpr std::string_view kCountUnits[] = {"回前", "回"};

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.substr(i).starts_with(kFullWidthBlank)) {
            i += kFullWidthBlank.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool isNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const auto digits = [](std::string_view run) {
        return !run.empty() &&
               std::all_of(run.begin(), run.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return point == std::string_view::npos ? digits(text)
                                           : digits(text.substr(0, point)) && digits(text.substr(point + 1));
}

std::string valueOf(std::string_view text) {
    if (std::find(std::begin(kMarks), std::end(kMarks), text) != std::end(kMarks))
        return "1";
    for (std::string_view unit : kCountUnits)
        if (text.ends_with(unit) && isNumber(text.substr(0, text.size() - unit.size()))) {
            text.remove_suffix(unit.size());
            break;
        }
    if (isNumber(text))
        return std::string(text.starts_with('+') ? text.substr(1) : text);
    return std::string(text);
}

bool lineBetween(const ResultGrid& grid, int leftColumn, int row) {
    return grid.borders(leftColumn, row).has(BorderSide::Right) ||
           (leftColumn < grid.columnCount() && grid.borders(leftColumn + 1, row).has(BorderSide::Left));
}

// What one heading row says over each column.
std::vector<std::string> headingRow(const ResultGrid& grid, int row) {
    const int columns = grid.columnCount();
    std::vector<std::string> names(std::size_t(columns + 1));
    for (int first = 1; first <= columns;) {
        int last = first;
        while (last < columns && !lineBetween(grid, last, row))
            ++last;
        std::vector<int> titled;
        for (int column = first; column <= last; ++column)
            if (!withoutBlanks(grid.text(column, row)).empty())
                titled.push_back(column);
        // A lone title heads the body columns of its stretch, not the heading columns beside it.
        for (int column = first; column <= last; ++column) {
            const bool underTitle =
                titled.size() == 1 && (column > grid.headingColumns() || column == titled.front());
            names[std::size_t(column)] = withoutBlanks(grid.text(underTitle ? titled.front() : column, row));
        }
        first = last + 1;
    }
    return names;
}

// Each column's name from the heading rows, by column (from 1).
std::vector<std::string> columnNames(const ResultGrid& grid) {
    std::vector<std::string> names(std::size_t(grid.columnCount() + 1));
    for (int row = 1; row <= std::min(grid.headingRows(), grid.rowCount()); ++row) {
        const std::vector<std::string> said = headingRow(grid, row);
        for (int column = 1; column <= grid.columnCount(); ++column) {
            std::string& name = names[std::size_t(column)];
            const std::string& heading = said[std::size_t(column)];
            if (!heading.empty() && name != heading && !name.ends_with(" " + heading))
                name += (name.empty() ? "" : " ") + heading;
        }
    }
    return names;
}

// The values of the body rows that show something, by column (from 1), then record.
std::vector<std::vector<std::string>> bodyValues(const ResultGrid& grid) {
    std::vector<std::vector<std::string>> values(std::size_t(grid.columnCount() + 1));
    for (int row = grid.headingRows() + 1; row <= grid.rowCount() - grid.footerRows(); ++row) {
        bool empty = true;
        for (int column = 1; column <= grid.columnCount() && empty; ++column)
            empty = grid.text(column, row).empty();
        if (empty)
            continue;
        for (int column = 1; column <= grid.columnCount(); ++column)
            values[std::size_t(column)].push_back(valueOf(grid.text(column, row)));
    }
    return values;
}

// The columns that say something of their own: not nameless and empty, nor a heading column again.
std::vector<int> keptColumns(const ResultGrid& grid, const std::vector<std::string>& names,
                             const std::vector<std::vector<std::string>>& values) {
    std::vector<int> kept;
    for (int column = 1; column <= grid.columnCount(); ++column) {
        const auto& own = values[std::size_t(column)];
        const bool blank =
            names[std::size_t(column)].empty() &&
            std::all_of(own.begin(), own.end(), [](const std::string& v) { return v.empty(); });
        const bool repeated = std::any_of(kept.begin(), kept.end(), [&](int earlier) {
            return earlier <= grid.headingColumns() &&
                   names[std::size_t(earlier)] == names[std::size_t(column)] &&
                   values[std::size_t(earlier)] == own;
        });
        if (!blank && !repeated)
            kept.push_back(column);
    }
    return kept;
}

} // namespace

DataCsv::Table DataCsv::table(const ResultGrid& grid) {
    const std::vector<std::string> names = columnNames(grid);
    const std::vector<std::vector<std::string>> values = bodyValues(grid);
    const std::vector<int> kept = keptColumns(grid, names, values);

    Table table;
    std::map<std::string, int> uses, numbered;
    for (int column : kept)
        ++uses[names[std::size_t(column)]];
    for (int column : kept) {
        std::string name = names[std::size_t(column)];
        if (name.empty())
            name = "列" + std::to_string(column);
        else if (uses[name] > 1)
            name += " " + std::to_string(++numbered[name]);
        table.headings.push_back(std::move(name));
    }
    const std::size_t records = grid.columnCount() > 0 ? values[1].size() : 0;
    for (std::size_t record = 0; record < records; ++record) {
        std::vector<std::string>& fields = table.records.emplace_back();
        for (int column : kept)
            fields.push_back(values[std::size_t(column)][record]);
    }
    return table;
}

void DataCsv::write(std::ostream& out, const ResultGrid& grid) {
    const Table data = table(grid);
    const auto line = [&](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            out << (i > 0 ? "," : "") << GridExport::csvField(fields[i]);
        out << "\r\n";
    };
    out << "\xEF\xBB\xBF";
    line(data.headings);
    for (const auto& record : data.records)
        line(record);
}

} // namespace kazutama
