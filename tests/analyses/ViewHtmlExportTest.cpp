#include "analyses/ViewCatalogue.h"
#include "grid/GridExport.h"
#include "grid/ResultGrid.h"
#include "store/Snapshot.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace kazutama {
namespace {

struct HtmlCell {
    std::string text;
    std::map<std::string, std::string> style;
};

std::string unescape(std::string_view text) {
    static const std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, ch] : entities)
            if (text.substr(i, entity.size()) == entity) {
                out += ch;
                i += entity.size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

// The cells of the page's table, row by row, as a browser would read them.
std::vector<std::vector<HtmlCell>> parseTable(const std::string& html) {
    std::vector<std::vector<HtmlCell>> rows;
    for (std::size_t at = html.find("<tr"); at != std::string::npos; at = html.find("<tr", at + 1)) {
        rows.emplace_back();
        const std::size_t end = html.find("</tr>", at);
        for (std::size_t cell = html.find("<td style=\"", at); cell < end;
             cell = html.find("<td style=\"", cell + 1)) {
            const std::size_t styleStart = cell + 11, styleEnd = html.find("\">", styleStart);
            const std::size_t textEnd = html.find("</td>", styleEnd);
            HtmlCell parsed{unescape(std::string_view(html).substr(styleEnd + 2, textEnd - styleEnd - 2)),
                            {}};
            std::istringstream declarations(html.substr(styleStart, styleEnd - styleStart));
            for (std::string declaration; std::getline(declarations, declaration, ';');)
                if (const auto colon = declaration.find(':'); colon != std::string::npos)
                    parsed.style[declaration.substr(0, colon)] = declaration.substr(colon + 1);
            rows.back().push_back(std::move(parsed));
        }
    }
    return rows;
}

std::string hexOr(const std::optional<Rgb>& colour) {
    return colour ? colour->hex() : "";
}

// The HTML file of every view, read back, holds each cell's text, text colour and background.
TEST(ViewHtmlExportTest, EveryCellsTextAndColoursSurviveTheFile) {
    const Snapshot snapshot(test::makeRandomHistory(150, 12));
    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        SCOPED_TRACE(std::string(entry.windowName));
        const ResultGrid grid = entry.build(snapshot);
        std::ostringstream out;
        GridExport::write(out, GridExport::Format::Html, grid, {entry.windowName, entry.caption});
        const auto rows = parseTable(out.str());
        ASSERT_EQ(int(rows.size()), grid.rowCount());
        int coloured = 0;
        for (int row = 1; row <= grid.rowCount(); ++row) {
            ASSERT_EQ(int(rows[std::size_t(row - 1)].size()), grid.columnCount()) << "row " << row;
            for (int column = 1; column <= grid.columnCount(); ++column) {
                const HtmlCell& cell = rows[std::size_t(row - 1)][std::size_t(column - 1)];
                ASSERT_EQ(cell.text, grid.text(column, row)) << column << "," << row;
                ASSERT_EQ(cell.style.count("color") ? cell.style.at("color") : "",
                          hexOr(grid.foreground(column, row)));
                ASSERT_EQ(cell.style.count("background-color") ? cell.style.at("background-color") : "",
                          hexOr(grid.background(column, row)));
                coloured += grid.background(column, row).has_value();
            }
        }
        EXPECT_GT(coloured, 0); // the comparison saw colours, not only blanks
    }
}

} // namespace
} // namespace kazutama
