#include "menus/MenuTable.h"

#include "analyses/ViewCatalogue.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace kazutama {
namespace {

TEST(MenuTableTest, EveryAnalysisCommandFindsItsCatalogueRowAndEveryRowIsInTheMenu) {
    std::map<std::string_view, int> opened;
    for (const MenuNode& line : mainMenuTree()) {
        if (line.view.empty())
            continue;
        ++opened[line.view];
        if (line.view == kPredictionViewName || line.view == kEntryViewName || line.view == kTicketViewName ||
            line.view == kHistoryCheckViewName || line.view == kNumberSearchViewName)
            continue;
        const ViewEntry* entry = ViewCatalogue::find(line.view);
        ASSERT_NE(entry, nullptr) << line.view;
        EXPECT_EQ(line.name, entry->menuItem);
        EXPECT_EQ(line.caption, entry->menuText);
    }
    for (const ViewEntry& entry : ViewCatalogue::entries())
        EXPECT_EQ(opened[entry.windowName], 1) << entry.windowName;
    EXPECT_EQ(opened[kPredictionViewName], 1);
    EXPECT_EQ(opened[kEntryViewName], 1);
    EXPECT_EQ(opened[kTicketViewName], 1);
    EXPECT_EQ(opened[kHistoryCheckViewName], 1);
    EXPECT_EQ(opened[kNumberSearchViewName], 1);
}

TEST(MenuTableTest, CommandPlacesCountTheItemsOfEachMenuFromTheMenuBar) {
    std::map<std::string_view, MenuPlace> places;
    for (const MenuPlace& place : menuCommandPlaces())
        places.emplace(place.command->name, place);
    EXPECT_EQ(places.size(), 31u); // 39 lines less the eight submenus

    const struct {
        std::string_view name;
        std::vector<int> positions;
        std::vector<std::string_view> captions;
    } expected[] = {
        {"mnuEnd", {0}, {"終了(&X)"}},
        {"mnuSyutugenHindo", {2, 0, 0}, {"データ分析(&S)", "頻度分析", "出現頻度分析"}},
        {"mnu11BunkatsuData", {2, 9, 2}, {"データ分析(&S)", "分割データ分析", "9分割データ分析"}},
        {"mnuLastCharRenzoku", {2, 11}, {"データ分析(&S)", "下一桁連続出現回数分析"}},
        {"mnuMasterInput", {3, 0}, {"データ管理(&M)", "当選データ入力(&I)"}},
        {"mnuRestoreBackup", {3, 2}, {"データ管理(&M)", "バックアップから復元..."}},
        {"mnuTickets", {3, 3}, {"データ管理(&M)", "購入数字の照合(&T)"}},
        {"mnuHistoryCheck", {3, 4}, {"データ管理(&M)", "過去の全当選と照合(&K)"}},
        {"mnuNumberSearch", {3, 5}, {"データ管理(&M)", "数字検索(&F)"}},
        {"mnuAbout", {5, 1}, {"ヘルプ(&H)", "バージョン情報(&A)"}},
    };
    for (const auto& want : expected) {
        ASSERT_TRUE(places.contains(want.name)) << want.name;
        EXPECT_EQ(places.at(want.name).positions, want.positions) << want.name;
        EXPECT_EQ(places.at(want.name).captions, want.captions) << want.name;
    }
}

} // namespace
} // namespace kazutama
