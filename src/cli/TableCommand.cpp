// table: one analysis view's grid as JSON, CSV, a data CSV for spreadsheets or HTML, built by the same
// builder the window uses.

#include "analyses/ViewCatalogue.h"
#include "cli/CliCommands.h"
#include "grid/GridExport.h"
#include "grid/ResultGrid.h"

#include <ostream>
#include <string>
#include <vector>

namespace kazutama::cli {

namespace {

constexpr std::string_view kUsage = "table DB VIEW [--format json|csv|data-csv|html]";

using Format = GridExport::Format;

Format parseFormat(const std::string& name) {
    if (name == "json")
        return Format::Json;
    if (name == "csv")
        return Format::Csv;
    if (name == "data-csv")
        return Format::DataCsv;
    if (name == "html")
        return Format::Html;
    throw CliError{"不明な出力形式です: " + startOf(name) +
                   "（json、csv、data-csv、html のいずれかを指定してください）"};
}

const ViewEntry& viewOrThrow(const std::string& name) {
    const ViewEntry* entry = ViewCatalogue::find(name);
    if (!entry)
        throw CliError{"不明な分析ビューです: " + startOf(name)};
    return *entry;
}

} // namespace

void runTable(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {"--format"}, {}, {"データベースファイル", "分析ビュー名"}, kUsage);
    const Format format = parseFormat(parsed.value("--format", "json"));
    const ViewEntry& view = viewOrThrow(parsed.positional[1]);
    const ResultGrid grid = view.build(loadSnapshotOrThrow(parsed.positional[0]));
    GridExport::write(out, format, grid, {view.windowName, view.caption});
}

} // namespace kazutama::cli
