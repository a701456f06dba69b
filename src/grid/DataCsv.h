#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kazutama {

class ResultGrid;

// A table as a spreadsheet wants it: one heading row, then one record per body row of the grid (the rows
// between its heading rows and its footer rows), numbers as numbers, in UTF-8 with a byte order mark so
// that a Japanese spreadsheet does not read it as Shift_JIS.
//
// A column is named by its heading rows' texts joined by a blank, each without the blanks that space out
// or centre a title; a title alone between two lines of its heading row names each body column there. A
// cell's value is its number where the cell shows one, also when a count unit follows it
// ("145回", "3回前"); a mark (●, ■) is 1 and its absence an empty field; any other text stays as shown.
// Empty body rows, and columns that repeat a heading column name for name and value for value (the draw
// numbers again at the right edge), are left out.
class DataCsv {
public:
    struct Table {
        std::vector<std::string> headings;
        std::vector<std::vector<std::string>> records; // each as long as `headings`
    };
    static Table table(const ResultGrid& grid);
    static void write(std::ostream& out, const ResultGrid& grid);
};

} // namespace kazutama
