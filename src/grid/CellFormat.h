#pragma once

#include "grid/Rgb.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kazutama {

enum class HorizontalAlignment : std::uint8_t { Left, Center, Right };
enum class VerticalAlignment : std::uint8_t { Top, Center, Bottom };

// The sides of one cell, in the order of CellBorders::colours.
enum class BorderSide : std::uint8_t { Left, Top, Right, Bottom };

// How a border format applies to a block: removed from every cell, drawn around the block as a whole,
// on all four sides of every cell, or on one side of every cell.
enum class BorderMode : std::uint8_t { None, Outline, Grid, Left, Top, Right, Bottom };

// The solid lines a cell draws itself. Neighbouring cells share an edge: the line shows if either of the
// two cells draws it.
struct CellBorders {
    std::uint8_t sides = 0;                      // bit i set: side BorderSide(i) is drawn
    std::array<std::optional<Rgb>, 4> colours{}; // per side; empty = the grid's default border colour

    static constexpr std::uint8_t bit(BorderSide side) { return std::uint8_t(1u << unsigned(side)); }
    bool has(BorderSide side) const { return (sides & bit(side)) != 0; }
    std::optional<Rgb> colour(BorderSide side) const { return colours[std::size_t(side)]; }
};

// A range of columns of one row, both ends included.
struct ColumnSpan {
    int first = 0;
    int last = 0;

    bool operator==(const ColumnSpan&) const = default;
};

// The text shown in a cell: that of the cell `owner` of the same row (the cell itself, or a neighbour whose
// text runs on into it), drawn over the columns of `span` and cut at their ends. Owner 0: no text shows.
struct TextCover {
    int owner = 0;
    ColumnSpan span;

    bool empty() const { return owner == 0; }
    bool operator==(const TextCover&) const = default;
};

} // namespace kazutama
