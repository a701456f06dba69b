#include "grid/GridExport.h"

#include "common/JsonText.h"
#include "grid/Colours.h"
#include "grid/DataCsv.h"
#include "grid/ResultGrid.h"

#include <array>
#include <cmath>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace kazutama {

namespace {

// Widths and heights are whole numbers in every table; print them as such.
std::string formatSize(double value) {
    if (value == std::floor(value) && std::abs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string jsonColour(const std::optional<Rgb>& colour) {
    return colour ? jsonString(colour->hex()) : "null";
}

std::string_view alignmentName(HorizontalAlignment alignment) {
    switch (alignment) {
    case HorizontalAlignment::Left:
        return "left";
    case HorizontalAlignment::Center:
        return "center";
    case HorizontalAlignment::Right:
        return "right";
    }
    return "left";
}

std::string_view alignmentName(VerticalAlignment alignment) {
    switch (alignment) {
    case VerticalAlignment::Top:
        return "top";
    case VerticalAlignment::Center:
        return "center";
    case VerticalAlignment::Bottom:
        return "bottom";
    }
    return "center";
}

constexpr std::array<std::pair<BorderSide, std::string_view>, 4> kSides = {{
    {BorderSide::Left, "left"},
    {BorderSide::Top, "top"},
    {BorderSide::Right, "right"},
    {BorderSide::Bottom, "bottom"},
}};

// {"left": "#rrggbb", "top": null, ...} for the drawn sides; null is the grid's default border colour.
std::string jsonBorders(const CellBorders& borders) {
    std::string out = "{";
    for (const auto& [side, name] : kSides) {
        if (!borders.has(side))
            continue;
        if (out.size() > 1)
            out += ", ";
        out += jsonString(name) + ": " + jsonColour(borders.colour(side));
    }
    return out + "}";
}

bool isListed(const ResultGrid& grid, int column, int row) {
    return !grid.text(column, row).empty() || grid.foreground(column, row) || grid.background(column, row);
}

std::string cellStyle(const ResultGrid& grid, int column, int row) {
    std::string style = "text-align:" + std::string(alignmentName(grid.horizontalAlignment(column, row)));
    const VerticalAlignment vertical = grid.verticalAlignment(column, row);
    style += ";vertical-align:" +
             std::string(vertical == VerticalAlignment::Center ? "middle" : alignmentName(vertical));
    if (const auto colour = grid.foreground(column, row))
        style += ";color:" + colour->hex();
    if (const auto colour = grid.background(column, row))
        style += ";background-color:" + colour->hex();
    const CellBorders borders = grid.borders(column, row);
    for (const auto& [side, name] : kSides)
        if (borders.has(side))
            style += ";border-" + std::string(name) + ":1px solid " +
                     borders.colour(side).value_or(colours::kDefaultBorder).hex();
    return style;
}

void writeJson(std::ostream& out, const ResultGrid& grid, const GridExport::Names& names) {
    std::vector<double> widths, heights;
    for (int c = 1; c <= grid.columnCount(); ++c)
        widths.push_back(grid.columnWidth(c));
    for (int r = 1; r <= grid.rowCount(); ++r)
        heights.push_back(grid.rowHeight(r));

    out << "{\"view\": " << jsonString(names.view) << ", \"caption\": " << jsonString(names.caption)
        << ", \"columns\": " << grid.columnCount() << ", \"rows\": " << grid.rowCount()
        << ", \"columnWidths\": " << jsonArray(widths, formatSize)
        << ", \"rowHeights\": " << jsonArray(heights, formatSize)
        << ", \"textRunsOn\": " << (grid.textRunsOn() ? "true" : "false") << ", \"cells\": [";
    bool first = true;
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            if (!isListed(grid, c, r))
                continue;
            out << (first ? "\n" : ",\n") << "  {\"col\": " << c << ", \"row\": " << r
                << ", \"text\": " << jsonString(grid.text(c, r))
                << ", \"fg\": " << jsonColour(grid.foreground(c, r))
                << ", \"bg\": " << jsonColour(grid.background(c, r)) << ", \"align\": \""
                << alignmentName(grid.horizontalAlignment(c, r)) << "\", \"valign\": \""
                << alignmentName(grid.verticalAlignment(c, r))
                << "\", \"borders\": " << jsonBorders(grid.borders(c, r)) << "}";
            first = false;
        }
    }
    out << (first ? "" : "\n") << "]}\n";
}

void writeCsv(std::ostream& out, const ResultGrid& grid) {
    for (int r = 1; r <= grid.rowCount(); ++r) {
        for (int c = 1; c <= grid.columnCount(); ++c) {
            if (c > 1)
                out << ',';
            out << GridExport::csvField(grid.text(c, r));
        }
        out << '\n';
    }
}

void writeHtml(std::ostream& out, const ResultGrid& grid, const GridExport::Names& names) {
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        << GridExport::htmlText(names.caption) << "</title>\n</head>\n<body>\n"
        << "<table style=\"border-collapse:collapse;white-space:pre;table-layout:fixed\">\n<colgroup>";
    for (int c = 1; c <= grid.columnCount(); ++c)
        out << "<col style=\"width:" << formatSize(grid.columnWidth(c)) << "ch\">";
    out << "</colgroup>\n";
    for (int r = 1; r <= grid.rowCount(); ++r) {
        out << "<tr style=\"height:" << formatSize(grid.rowHeight(r)) << "pt\">";
        for (int c = 1; c <= grid.columnCount(); ++c)
            out << "<td style=\"" << cellStyle(grid, c, r) << "\">" << GridExport::htmlText(grid.text(c, r))
                << "</td>";
        out << "</tr>\n";
    }
    out << "</table>\n</body>\n</html>\n";
}

} // namespace

std::string GridExport::csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + "\"";
}

std::string GridExport::htmlText(std::string_view text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

void GridExport::write(std::ostream& out, Format format, const ResultGrid& grid, const Names& names) {
    switch (format) {
    case Format::Csv:
        writeCsv(out, grid);
        break;
    case Format::DataCsv:
        DataCsv::write(out, grid);
        break;
    case Format::Html:
        writeHtml(out, grid, names);
        break;
    case Format::Json:
        writeJson(out, grid, names);
        break;
    }
}

} // namespace kazutama
