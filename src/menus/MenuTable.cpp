#include "menus/MenuTable.h"

#include "analyses/ViewCatalogue.h"

#include <array>

namespace kazutama {

namespace {

using K = MenuNode::Kind;

constexpr MenuNode sub(int level, std::string_view name, std::string_view caption) {
    return {level, K::Submenu, name, caption, {}};
}
constexpr MenuNode cmd(int level, std::string_view name, std::string_view caption) {
    return {level, K::Command, name, caption, {}};
}
// A command that opens an analysis: its name and caption are the catalogue's.
constexpr MenuNode view(int level, std::string_view window) {
    return {level, K::Command, {}, {}, window};
}

constexpr auto kTree = std::to_array<MenuNode>({
    cmd(0, menu::kEnd, "終了(&X)"),
    {0, K::Command, menu::kPrediction, "一発Kazutama予想(&D)", kPredictionViewName},
    sub(0, "mnuMain", "データ分析(&S)"),
    sub(1, "mnuHindo", "頻度分析"),
    view(2, "出現頻度分析"),
    view(2, "回数別出現分析"),
    sub(1, "mnuKankaku", "間隔分析"),
    view(2, "出現間隔分析"),
    view(2, "数字間隔分析"),
    view(1, "出現回数分析"),
    view(1, "バラツキ分析"),
    view(1, "引っ張り分析"),
    view(1, "連番飛び石分析"),
    view(1, "数字合計分析"),
    sub(1, "mnuPattern", "組合せパターン分析"),
    view(2, "低数字高数字の組合せパターン分析"),
    view(2, "偶数奇数の組合せパターン分析"),
    view(1, "分割4傾向分析"),
    sub(1, "mnuBunkatsuData", "分割データ分析"),
    view(2, "分割6データ分析"),
    view(2, "分割7データ分析"),
    view(2, "分割9データ分析"),
    view(1, "下一桁出現傾向分析"),
    view(1, "下一桁連続出現回数分析"),
    sub(0, "mnuHosyu", "データ管理(&M)"),
    {1, K::Command, menu::kMasterInput, "当選データ入力(&I)", kEntryViewName},
    cmd(1, menu::kMasterKanri, "当選データ保守(&D)"),
    cmd(1, menu::kRestoreBackup, "バックアップから復元..."),
    {1, K::Command, menu::kTickets, "購入数字の照合(&T)", kTicketViewName},
    {1, K::Command, menu::kHistoryCheck, "過去の全当選と照合(&K)", kHistoryCheckViewName},
    {1, K::Command, menu::kNumberSearch, "数字検索(&F)", kNumberSearchViewName},
    sub(0, "mnuWindow", "ウィンドウ(&W)"),
    cmd(1, menu::kTileHorizontal, "上下に並べて表示(&H)"),
    cmd(1, menu::kTileVertical, "左右に並べて表示(&V)"),
    cmd(1, menu::kCascade, "重ねて表示(&C)"),
    cmd(1, menu::kArrangeIcons, "アイコンの整列(&A)"),
    sub(0, "mnuHelp", "ヘルプ(&H)"),
    cmd(1, menu::kHelpFile, "ヘルプ(&H)"),
    cmd(1, menu::kAbout, "バージョン情報(&A)"),
});

} // namespace

const std::vector<MenuNode>& mainMenuTree() {
    static const std::vector<MenuNode> tree = [] {
        std::vector<MenuNode> lines(kTree.begin(), kTree.end());
        for (MenuNode& line : lines) {
            const ViewEntry* entry = line.name.empty() ? ViewCatalogue::find(line.view) : nullptr;
            if (entry) {
                line.name = entry->menuItem;
                line.caption = entry->menuText;
            }
        }
        return lines;
    }();
    return tree;
}

std::vector<MenuPlace> menuCommandPlaces() {
    std::vector<MenuPlace> places;
    std::vector<int> positions;
    std::vector<std::string_view> captions;
    for (const MenuNode& line : mainMenuTree()) {
        const auto depth = std::size_t(line.level) + 1;
        if (positions.size() >= depth) {
            positions.resize(depth);
            captions.resize(depth);
            ++positions.back();
            captions.back() = line.caption;
        } else {
            positions.push_back(0);
            captions.push_back(line.caption);
        }
        if (line.kind == MenuNode::Kind::Command)
            places.push_back({&line, positions, captions});
    }
    return places;
}

} // namespace kazutama
