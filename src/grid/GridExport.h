#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace kazutama {

class ResultGrid;

// A ResultGrid written as a file: JSON with everything a script needs to redraw the table, CSV with the
// texts alone, the records of a data CSV for spreadsheets (see DataCsv), or an HTML page whose table shows
// the colours, alignments, lines and sizes.
class GridExport {
public:
    enum class Format { Csv, DataCsv, Html, Json };
    // How the file names the table: the view's window name (JSON) and its caption (JSON, the HTML title).
    struct Names {
        std::string_view view;
        std::string_view caption;
    };

    // JSON: extent, widths, heights and the run-on setting, then every cell that has a text or a colour, row
    // by row; a colour the grid leaves to its default is null. CSV: one line per row, texts only; a field
    // with a comma, quote or line break is quoted.
    static void write(std::ostream& out, Format format, const ResultGrid& grid, const Names& names);
    // A text as one CSV field: quoted, its quotes doubled, where it holds a comma, a quote or a line break.
    static std::string csvField(std::string_view text);
    // A text as HTML shows it: &, <, > and " escaped.
    static std::string htmlText(std::string_view text);
};

} // namespace kazutama
