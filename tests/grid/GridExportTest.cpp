#include "grid/GridExport.h"

#include "grid/Colours.h"
#include "grid/ResultGrid.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace kazutama {
namespace {

using Format = GridExport::Format;

struct ExportCase {
    const char* name;
    Format format;
    std::function<ResultGrid()> grid;
    std::string expected;
};

std::string written(Format format, const ResultGrid& grid) {
    std::ostringstream out;
    GridExport::write(out, format, grid, {"ビュー", "表 \"題\" & <名>"});
    return out.str();
}

// Two columns, two rows: a text that needs escaping, in red, with a default-coloured right line and a
// light blue bottom line; a cell with a background only; a cell with nothing, which JSON leaves out.
ResultGrid formattedGrid() {
    ResultGrid grid(2, 2);
    grid.setColumnWidth(ResultGrid::kAll, 2);
    grid.setColumnWidth(2, 2.5);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 15);
    grid.setTextRunsOn(true);
    grid.setText(1, 1, "a\"b\\\n\x01");
    grid.setForeground(GridBlock::cell(1, 1), colours::kRed);
    grid.setBorders(GridBlock::cell(1, 1), BorderMode::Right);
    grid.setBorderColour(colours::kLightBlueBorder);
    grid.setBorders(GridBlock::cell(1, 1), BorderMode::Bottom);
    grid.setText(1, 2, "　全角");
    grid.setBackground(GridBlock::cell(2, 2), colours::kPaleYellow);
    grid.setAlignment(GridBlock::cell(2, 2), HorizontalAlignment::Right, VerticalAlignment::Top);
    return grid;
}

ResultGrid csvGrid() {
    ResultGrid grid(3, 2);
    grid.setText(1, 1, "a,b");
    grid.setText(2, 1, "say \"hi\"");
    grid.setText(3, 1, " plain ");
    grid.setText(2, 2, "two\nlines");
    return grid;
}

ResultGrid htmlGrid() {
    ResultGrid grid(1, 1);
    grid.setColumnWidth(1, 5);
    grid.setRowHeight(1, 10);
    grid.setText(1, 1, "  <&>\"");
    grid.setForeground(GridBlock::all(), colours::kBlue);
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Bottom);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    return grid;
}

TEST(GridExportTest, WritesEachFormatExactly) {
    const ExportCase cases[] = {
        {"json", Format::Json, formattedGrid,
         "{\"view\": \"ビュー\", \"caption\": \"表 \\\"題\\\" & <名>\", \"columns\": 2, \"rows\": 2, "
         "\"columnWidths\": [2, 2.5], \"rowHeights\": [15, 10], \"textRunsOn\": true, \"cells\": [\n"
         "  {\"col\": 1, \"row\": 1, \"text\": \"a\\\"b\\\\\\n\\u0001\", \"fg\": \"#ff0000\", \"bg\": null, "
         "\"align\": \"left\", \"valign\": \"center\", "
         "\"borders\": {\"right\": null, \"bottom\": \"#88c4ff\"}},\n"
         "  {\"col\": 1, \"row\": 2, \"text\": \"　全角\", \"fg\": null, \"bg\": null, \"align\": \"left\", "
         "\"valign\": \"center\", \"borders\": {}},\n"
         "  {\"col\": 2, \"row\": 2, \"text\": \"\", \"fg\": null, \"bg\": \"#ffffc8\", "
         "\"align\": \"right\", \"valign\": \"top\", \"borders\": {}}\n"
         "]}\n"},
        {"json of an empty grid", Format::Json, [] { return ResultGrid(); },
         "{\"view\": \"ビュー\", \"caption\": \"表 \\\"題\\\" & <名>\", \"columns\": 0, \"rows\": 0, "
         "\"columnWidths\": [], \"rowHeights\": [], \"textRunsOn\": false, \"cells\": []}\n"},
        {"csv", Format::Csv, csvGrid, "\"a,b\",\"say \"\"hi\"\"\", plain \n,\"two\nlines\",\n"},
        {"csv of an empty grid", Format::Csv, [] { return ResultGrid(); }, ""},
        {"html", Format::Html, htmlGrid,
         "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>表 &quot;題&quot; &amp; &lt;名&gt;</title>\n</head>\n<body>\n"
         "<table style=\"border-collapse:collapse;white-space:pre;table-layout:fixed\">\n"
         "<colgroup><col style=\"width:5ch\"></colgroup>\n"
         "<tr style=\"height:10pt\"><td style=\"text-align:center;vertical-align:bottom;color:#0000ff;"
         "border-left:1px solid #000000;border-top:1px solid #000000;border-right:1px solid #000000;"
         "border-bottom:1px solid #000000\">  &lt;&amp;&gt;&quot;</td></tr>\n"
         "</table>\n</body>\n</html>\n"},
    };
    for (const ExportCase& c : cases)
        EXPECT_EQ(written(c.format, c.grid()), c.expected) << c.name;
}

} // namespace
} // namespace kazutama
