#include "analyses/ViewCatalogue.h"

#include "grid/ResultGrid.h"
#include "store/Snapshot.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace kazutama {
namespace {

TEST(ViewCatalogueTest, SeventeenViewsInMenuOrderWithUniqueNames) {
    const auto entries = ViewCatalogue::entries();
    ASSERT_EQ(entries.size(), 17u);
    EXPECT_EQ(entries[1].windowName, "回数別出現分析");
    EXPECT_EQ(entries[4].windowName, "出現回数分析"); // after the two interval views, as in the menu
    std::set<std::string_view> names;
    for (const ViewEntry& entry : entries) {
        EXPECT_TRUE(names.insert(entry.windowName).second) << entry.windowName;
        EXPECT_EQ(entry.geometry.left, 0);
        EXPECT_EQ(entry.geometry.top, 0);
        EXPECT_GT(entry.geometry.width, 0);
        EXPECT_GT(entry.geometry.height, entry.geometry.width / 3);
        EXPECT_FALSE(entry.caption.empty());
        EXPECT_FALSE(entry.label.empty()) << entry.windowName;
    }
}

TEST(ViewCatalogueTest, FindsByWindowNameNotByCaption) {
    const ViewEntry* byCount = ViewCatalogue::find("回数別出現分析");
    ASSERT_NE(byCount, nullptr);
    EXPECT_EQ(byCount->caption, "回数別頻度分析");
    EXPECT_EQ(byCount->geometry.width, 3405);
    EXPECT_EQ(byCount->geometry.height, 8355);
    EXPECT_EQ(ViewCatalogue::find("回数別頻度分析"), nullptr);
    EXPECT_EQ(ViewCatalogue::find("連番・飛び石分析"), nullptr);
    ASSERT_NE(ViewCatalogue::find("連番飛び石分析"), nullptr);
    EXPECT_EQ(ViewCatalogue::find("連番飛び石分析")->pump, MessagePump::AfterBuild);
    EXPECT_EQ(ViewCatalogue::find("出現間隔分析")->pump, MessagePump::Skipped);
    EXPECT_EQ(ViewCatalogue::find("数字間隔分析")->pump, MessagePump::Skipped);
}

TEST(ViewCatalogueTest, AppearanceFrequencyHasItsLegendAndNoPrintButton) {
    const ViewEntry* entry = ViewCatalogue::find("出現頻度分析");
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->showsPrintButton);
    ASSERT_EQ(entry->legend.size(), 3u);
    EXPECT_EQ(entry->legend[1].caption, "：ボーナス数字1");
    EXPECT_EQ(entry->legend[1].colour, (Rgb{255, 128, 192}));
    EXPECT_TRUE(ViewCatalogue::find("回数別出現分析")->showsPrintButton);
}

ResultGrid parameterColumns(const Snapshot&, int parameter) {
    return ResultGrid(parameter, 1);
}

// One builder serves several views, told apart by the parameter of their rows.
TEST(ViewCatalogueTest, BuildHandsTheRowsParameterToItsBuilder) {
    for (int groups : {6, 7, 9}) {
        const ViewEntry entry{.windowName = "w",
                              .caption = "c",
                              .menuItem = "m",
                              .menuText = "t",
                              .geometry = {},
                              .label = "l",
                              .builder = parameterColumns,
                              .parameter = groups};
        EXPECT_EQ(entry.build(Snapshot()).columnCount(), groups);
    }
}

// Every view opens on an empty history and shows its headings.
TEST(ViewCatalogueTest, EveryBuilderGivesHeadingsForAnEmptyHistory) {
    const Snapshot empty;
    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        const ResultGrid grid = entry.build(empty);
        // The appearance-by-count table has one row per count group, and an empty history has none.
        if (entry.windowName == "回数別出現分析") {
            EXPECT_EQ(grid.rowCount(), 0);
            continue;
        }
        ASSERT_GE(grid.rowCount(), 1) << entry.windowName;
        bool anyText = false;
        for (int row = 1; row <= grid.rowCount(); ++row)
            for (int column = 1; column <= grid.columnCount(); ++column)
                anyText = anyText || !grid.text(column, row).empty();
        EXPECT_TRUE(anyText) << entry.windowName;
        EXPECT_EQ(grid.currentColumn(), 0);
        EXPECT_EQ(grid.currentRow(), 0);
    }
}

} // namespace
} // namespace kazutama
