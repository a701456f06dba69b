// table: one analysis view's grid as JSON, CSV or HTML, built by the same builder the window uses.

#include "cli/CliCommands.h"
#include "store/StartupSummary.h"
#include "grid/GridExport.h"
#include "grid/ResultGrid.h"
#include "analyses/ViewCatalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace kazutama::cli {

namespace {

constexpr std::string_view kUsage = "table DB VIEW [--format json|csv|html]";

enum class Format { Json, Csv, Html };

struct TableRequest {
    std::string database;
    std::string view;
    Format format = Format::Json;
};

Format parseFormat(const std::string& name) {
    if (name == "json")
        return Format::Json;
    if (name == "csv")
        return Format::Csv;
    if (name == "html")
        return Format::Html;
    throw CliError{"不明な出力形式です: " + name + "（json、csv、html のいずれかを指定してください）"};
}

TableRequest parseArgs(const Args& args) {
    const CliError usage{"引数が正しくありません。使い方: kazutama-cli " + std::string(kUsage)};
    TableRequest request;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--format") {
            if (++i == args.size())
                throw usage;
            request.format = parseFormat(args[i]);
        } else if (arg.starts_with("--format=")) {
            request.format = parseFormat(arg.substr(9));
        } else if (arg.starts_with("--")) {
            throw usage;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        throw usage;
    request.database = positional[0];
    request.view = positional[1];
    return request;
}

const ViewEntry& viewOrThrow(const std::string& name) {
    const ViewEntry* entry = ViewCatalogue::find(name);
    if (!entry)
        throw CliError{"不明な分析ビューです: " + name};
    if (!entry->builder)
        throw CliError{"この分析ビューはまだ表に出力できません: " + name};
    return *entry;
}

} // namespace

void runTable(const Args& args, std::ostream& out) {
    const TableRequest request = parseArgs(args);
    const ViewEntry& view = viewOrThrow(request.view);
    const DrawHistory history = loadHistoryOrThrow(request.database);
    const ResultGrid grid = view.build(history, computeStartupSummary(history));
    const GridExport::Names names{view.windowName, view.caption};
    switch (request.format) {
    case Format::Json:
        GridExport::writeJson(out, grid, names);
        break;
    case Format::Csv:
        GridExport::writeCsv(out, grid);
        break;
    case Format::Html:
        GridExport::writeHtml(out, grid, names);
        break;
    }
}

} // namespace kazutama::cli
