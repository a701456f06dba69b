#pragma once

namespace kazutama {

// A rectangle of grid cells, columns and rows numbered from 1 and both ends included. -1 for a first
// column or row means "from the first", -1 for a last one "to the last"; a block whose last column or row
// comes before its first covers no cell.
struct GridBlock {
    static constexpr int kAll = -1;

    int firstColumn = kAll;
    int lastColumn = kAll;
    int firstRow = kAll;
    int lastRow = kAll;

    static constexpr GridBlock cell(int column, int row) { return {column, column, row, row}; }
    static constexpr GridBlock all() { return {}; }
    static constexpr GridBlock columns(int first, int last) { return {first, last, kAll, kAll}; }
    static constexpr GridBlock rows(int first, int last) { return {kAll, kAll, first, last}; }
};

} // namespace kazutama
