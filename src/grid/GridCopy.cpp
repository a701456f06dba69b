#include "grid/GridCopy.h"

#include "grid/Colours.h"
#include "grid/GridExport.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

namespace kazutama {

namespace {

// How a cell looks, as a key: a table has a few dozen of these, so each becomes a CSS class and a cell
// names its class. A style spelt out in every cell made the HTML of the 32,000-draw tables five times
// larger.
struct Look {
    std::uint32_t foreground = 0; // 0: the grid's default, else 0x1rrggbb
    std::uint32_t background = 0;
    std::uint32_t layout = 0; // alignments and drawn sides
    std::array<std::uint32_t, 4> borders{};

    bool operator==(const Look&) const = default;
};

struct LookHash {
    std::size_t operator()(const Look& look) const {
        std::size_t hash = look.layout;
        for (std::uint32_t part : {look.foreground, look.background, look.borders[0], look.borders[1],
                                   look.borders[2], look.borders[3]})
            hash = hash * 1000003u ^ part;
        return hash;
    }
};

std::uint32_t key(std::optional<Rgb> colour) {
    return colour ? 0x1000000u | std::uint32_t(colour->r) << 16 | std::uint32_t(colour->g) << 8 | colour->b
                  : 0;
}

Look lookOf(const ResultGrid& grid, int column, int row) {
    Look look;
    look.foreground = key(grid.foreground(column, row));
    look.background = key(grid.background(column, row));
    const CellBorders borders = grid.borders(column, row);
    look.layout = std::uint32_t(grid.horizontalAlignment(column, row)) |
                  std::uint32_t(grid.verticalAlignment(column, row)) << 2 | std::uint32_t(borders.sides) << 4;
    for (std::size_t side = 0; side < 4; ++side)
        if (borders.sides & (1u << side))
            look.borders[side] = key(borders.colours[side].value_or(colours::kDefaultBorder));
    return look;
}

std::string hex(std::uint32_t key) {
    return Rgb{std::uint8_t(key >> 16), std::uint8_t(key >> 8), std::uint8_t(key)}.hex();
}

std::string css(const Look& look) {
    static constexpr const char* kHorizontal[] = {"left", "center", "right"};
    static constexpr const char* kVertical[] = {"top", "middle", "bottom"};
    static constexpr const char* kSides[] = {"left", "top", "right", "bottom"};
    std::string style = std::string("text-align:") + kHorizontal[look.layout & 3] +
                        ";vertical-align:" + kVertical[(look.layout >> 2) & 3];
    if (look.foreground)
        style += ";color:" + hex(look.foreground);
    if (look.background)
        style += ";background-color:" + hex(look.background);
    for (std::size_t side = 0; side < 4; ++side)
        if (look.borders[side])
            style += std::string(";border-") + kSides[side] + ":1px solid " + hex(look.borders[side]);
    return style;
}

std::string size(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

std::string GridCopy::tabSeparated(const ResultGrid& grid, const ResultGrid::Range& cells) {
    std::string out;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        if (row > cells.firstRow)
            out += '\n';
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            if (column > cells.firstColumn)
                out += '\t';
            out += grid.text(column, row);
        }
    }
    return out;
}

std::string GridCopy::html(const ResultGrid& grid, const ResultGrid::Range& cells) {
    std::unordered_map<Look, int, LookHash> classes;
    std::string body;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        body += "<tr style=\"height:" + size(grid.rowHeight(row)) + "pt\">";
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            const int id = classes.try_emplace(lookOf(grid, column, row), int(classes.size())).first->second;
            body += "<td class=c" + std::to_string(id) + '>';
            body += GridExport::htmlText(grid.text(column, row));
            body += "</td>";
        }
        body += "</tr>\n";
    }

    std::string out = "<html><head><meta charset=\"utf-8\"><style>\n";
    for (const auto& [look, id] : classes)
        out += "td.c" + std::to_string(id) + " {" + css(look) + "}\n";
    out += "</style></head><body>\n<table style=\"border-collapse:collapse;white-space:pre\"><colgroup>";
    for (int column = cells.firstColumn; column <= cells.lastColumn; ++column)
        out += "<col style=\"width:" + size(grid.columnWidth(column)) + "ch\">";
    out += "</colgroup>\n";
    out += body;
    return out + "</table></body></html>\n";
}

} // namespace kazutama
