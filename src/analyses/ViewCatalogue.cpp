#include "analyses/ViewCatalogue.h"

#include "analyses/AppearanceByCountBuilder.h"
#include "analyses/AppearanceFrequencyBuilder.h"
#include "grid/Colours.h"

#include <array>

namespace kazutama {

namespace {

using Mark = LegendEntry::Mark;

constexpr std::array kDotLegend = {
    LegendEntry{Mark::Dot, colours::kMainNumberDot, "：本数字"},
    LegendEntry{Mark::Dot, colours::kFirstBonusDot, "：ボーナス数字1"},
    LegendEntry{Mark::Dot, colours::kSecondBonusDot, "：ボーナス数字2"},
};

// The pull view's legend is written with a half-width colon.
constexpr std::array kPullLegend = {
    LegendEntry{Mark::Swatch, colours::kPreviousDrawNumber, ":前回の数字"},
};

constexpr std::array kDivisionLegend = {
    LegendEntry{Mark::Dot, colours::kMainNumberDot, "：本数字"},
    LegendEntry{Mark::Dot, colours::kFirstBonusDot, "：ボーナス数字1"},
    LegendEntry{Mark::Dot, colours::kSecondBonusDot, "：ボーナス数字2"},
    LegendEntry{Mark::Swatch, colours::kNoWinningNumber, "：該当する当選番号なし"},
};

constexpr ViewGeometry at(int width, int height) {
    return ViewGeometry{0, 0, width, height};
}

constexpr MessagePump kBefore = MessagePump::BeforeBuild;
constexpr std::span<const LegendEntry> kNoLegend;

const std::array kEntries = {
    ViewEntry{"出現頻度分析", "出現頻度分析", at(11300, 10700),
              "過去の当選番号の出現回数を数字別に分析します", kDotLegend, false, "mnuSyutugenHindo",
              "出現頻度分析", kBefore, buildAppearanceFrequency},
    // The window's caption reads 頻度 where its name and menu read 出現.
    ViewEntry{"回数別出現分析", "回数別頻度分析", at(3405, 8355),
              "過去の当選番号から出現回数別の数字を分析します", kNoLegend, true, "mnuSyutugenKaisu",
              "回数別出現分析", kBefore, buildAppearanceByCount},
    ViewEntry{"出現間隔分析", "出現間隔分析", at(12070, 13920),
              "過去の当選数字が何回前に出現しているか分析します", kNoLegend, true, "mnuSyutugenKankaku",
              "出現間隔分析", MessagePump::Skipped, nullptr},
    ViewEntry{"数字間隔分析", "数字間隔分析", at(12070, 13905),
              "当選数字を第１数字～第７数字別に前回数字との数字の間隔を分析します", kNoLegend, true,
              "mnuNumberKankaku", "数字間隔分析", MessagePump::Skipped, nullptr},
    ViewEntry{"出現回数分析", "出現回数分析", at(12080, 13995), "過去の当選数字が何回出現したか分析します",
              kNoLegend, true, "mnuZenkaiSyutugen", "出現回数分析", kBefore, nullptr},
    ViewEntry{"バラツキ分析", "バラツキ分析", at(11080, 12750),
              "過去の当選番号のバラツキを数字別に分析します", kDotLegend, true, "mnuBaratsuki",
              "バラツキ分析", kBefore, nullptr},
    ViewEntry{"引っ張り分析", "引っ張り分析", at(9680, 13600),
              "過去の当選数字に前回出現した数字が入っているか分析します", kPullLegend, true, "mnuHippari",
              "引っ張り分析", MessagePump::AfterBuild, nullptr},
    ViewEntry{"連番飛び石分析", "連番・飛び石分析", at(8310, 13500),
              "過去の当選番号の連続数字と一つ飛び数字の傾向を分析します", kNoLegend, true,
              "mnuRenbanTobiishi", "連番・飛び石分析", MessagePump::AfterBuild, nullptr},
    ViewEntry{"数字合計分析", "数字合計分析", at(8970, 13800),
              "過去の当選番号の本数字＋ボーナス数字合計を分析します", kNoLegend, true, "mnuHonsuji",
              "数字合計分析", kBefore, nullptr},
    ViewEntry{"低数字高数字の組合せパターン分析", "低数字・高数字の組合せパターン分析", at(8750, 13700),
              "過去の当選番号を低数字（０１～１８）と高数字（１９～３７）に分けて組合せパターンを分析します"
              "（ボーナス数字は入れていません）",
              kNoLegend, true, "mnuLowHightPattern", "低数字・高数字の組合せパターン分析", kBefore, nullptr},
    ViewEntry{"偶数奇数の組合せパターン分析", "偶数・奇数の組合せパターン分析", at(8750, 13700),
              "過去の当選番号を偶数と奇数に分類して分析します", kNoLegend, true, "mnuKisuGusuPattern",
              "偶数・奇数の組合せパターン分析", kBefore, nullptr},
    ViewEntry{"分割4傾向分析", "4分割傾向分析", at(9090, 13750),
              "過去の当選番号を４つのグループに分けて傾向を分析します", kNoLegend, true, "mnu5BunkatsuKeiko",
              "4分割傾向分析", kBefore, nullptr},
    ViewEntry{"分割6データ分析", "6分割データ分析", at(12365, 12600),
              "過去の当選番号の６グループに分類して分析します", kDivisionLegend, true, "mnu6BunkatsuData",
              "6分割データ分析", kBefore, nullptr},
    ViewEntry{"分割7データ分析", "7分割データ分析", at(12365, 12600),
              "過去の当選番号の７グループに分類して分析します", kDivisionLegend, true, "mnu7BunkatsuData",
              "7分割データ分析", kBefore, nullptr},
    // The menu item's name says 11 for the nine-group view.
    ViewEntry{"分割9データ分析", "9分割データ分析", at(12365, 12600),
              "過去の当選番号の９グループに分類して分析します", kDivisionLegend, true, "mnu11BunkatsuData",
              "9分割データ分析", kBefore, nullptr},
    ViewEntry{"下一桁出現傾向分析", "下一桁出現傾向分析", at(7400, 13980),
              "過去の当選番号の下一桁の数字の出現傾向を分析します", kNoLegend, true, "mnuLastChar",
              "下一桁出現傾向分析", kBefore, nullptr},
    ViewEntry{"下一桁連続出現回数分析", "下一桁連続出現回数分析", at(7400, 13935),
              "過去の当選番号の下一桁数字が何回続けて出現しているか分析します", kNoLegend, true,
              "mnuLastCharRenzoku", "下一桁連続出現回数分析", kBefore, nullptr},
};

} // namespace

std::span<const ViewEntry> ViewCatalogue::entries() {
    return kEntries;
}

const ViewEntry* ViewCatalogue::find(std::string_view windowName) {
    for (const ViewEntry& entry : kEntries)
        if (entry.windowName == windowName)
            return &entry;
    return nullptr;
}

} // namespace kazutama
