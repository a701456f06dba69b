#include "analyses/ViewCatalogue.h"

#include "analyses/AppearanceByCountBuilder.h"
#include "analyses/AppearanceCountBuilder.h"
#include "analyses/AppearanceFrequencyBuilder.h"
#include "analyses/AppearanceIntervalBuilder.h"
#include "analyses/CombinationPatternBuilder.h"
#include "analyses/ConsecutiveNumbersBuilder.h"
#include "analyses/DispersionBuilder.h"
#include "analyses/DivisionDataBuilder.h"
#include "analyses/FourWayDivisionBuilder.h"
#include "analyses/LastDigitStreakBuilder.h"
#include "analyses/LastDigitTendencyBuilder.h"
#include "analyses/NumberIntervalBuilder.h"
#include "analyses/NumberSumBuilder.h"
#include "analyses/PullAnalysisBuilder.h"
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

// Builders that serve one view only need no parameter.
template <ResultGrid (*Build)(const Snapshot&)> ResultGrid withoutParameter(const Snapshot& snapshot, int) {
    return Build(snapshot);
}

const std::array kEntries = {
    ViewEntry{
        .windowName = "出現頻度分析",
        .caption = "出現頻度分析",
        .menuItem = "mnuSyutugenHindo",
        .menuText = "出現頻度分析",
        .geometry = {.width = 11300, .height = 10700},
        .label = "過去の当選番号の出現回数を数字別に分析します",
        .legend = kDotLegend,
        .showsPrintButton = false,
        .builder = withoutParameter<buildAppearanceFrequency>,
    },
    // The window's caption reads 頻度 where its name and menu read 出現.
    ViewEntry{
        .windowName = "回数別出現分析",
        .caption = "回数別頻度分析",
        .menuItem = "mnuSyutugenKaisu",
        .menuText = "回数別出現分析",
        .geometry = {.width = 3405, .height = 8355},
        .label = "過去の当選番号から出現回数別の数字を分析します",
        .builder = withoutParameter<buildAppearanceByCount>,
    },
    ViewEntry{
        .windowName = "出現間隔分析",
        .caption = "出現間隔分析",
        .menuItem = "mnuSyutugenKankaku",
        .menuText = "出現間隔分析",
        .geometry = {.width = 12070, .height = 13920},
        .label = "過去の当選数字が何回前に出現しているか分析します",
        .pump = MessagePump::Skipped,
        .builder = withoutParameter<buildAppearanceInterval>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "数字間隔分析",
        .caption = "数字間隔分析",
        .menuItem = "mnuNumberKankaku",
        .menuText = "数字間隔分析",
        .geometry = {.width = 12070, .height = 13905},
        .label = "当選数字を第１数字～第７数字別に前回数字との数字の間隔を分析します",
        .pump = MessagePump::Skipped,
        .builder = withoutParameter<buildNumberInterval>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "出現回数分析",
        .caption = "出現回数分析",
        .menuItem = "mnuZenkaiSyutugen",
        .menuText = "出現回数分析",
        .geometry = {.width = 12080, .height = 13995},
        .label = "過去の当選数字が何回出現したか分析します",
        .builder = withoutParameter<buildAppearanceCount>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "バラツキ分析",
        .caption = "バラツキ分析",
        .menuItem = "mnuBaratsuki",
        .menuText = "バラツキ分析",
        .geometry = {.width = 11080, .height = 12750},
        .label = "過去の当選番号のバラツキを数字別に分析します",
        .legend = kDotLegend,
        .gridOrigin = TwipsPoint{.left = 120, .top = 600},
        .builder = withoutParameter<buildDispersion>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "引っ張り分析",
        .caption = "引っ張り分析",
        .menuItem = "mnuHippari",
        .menuText = "引っ張り分析",
        .geometry = {.width = 9680, .height = 13600},
        .label = "過去の当選数字に前回出現した数字が入っているか分析します",
        .legend = kPullLegend,
        .pump = MessagePump::AfterBuild,
        .builder = withoutParameter<buildPullAnalysis>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "連番飛び石分析",
        .caption = "連番・飛び石分析",
        .menuItem = "mnuRenbanTobiishi",
        .menuText = "連番・飛び石分析",
        .geometry = {.width = 8310, .height = 13500},
        .label = "過去の当選番号の連続数字と一つ飛び数字の傾向を分析します",
        .pump = MessagePump::AfterBuild,
        .builder = withoutParameter<buildConsecutiveNumbers>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "数字合計分析",
        .caption = "数字合計分析",
        .menuItem = "mnuHonsuji",
        .menuText = "数字合計分析",
        .geometry = {.width = 8970, .height = 13800},
        .label = "過去の当選番号の本数字＋ボーナス数字合計を分析します",
        .builder = withoutParameter<buildNumberSum>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "低数字高数字の組合せパターン分析",
        .caption = "低数字・高数字の組合せパターン分析",
        .menuItem = "mnuLowHightPattern",
        .menuText = "低数字・高数字の組合せパターン分析",
        .geometry = {.width = 8750, .height = 13700},
        .label =
            "過去の当選番号を低数字（０１～１８）と高数字（１９～３７）に分けて組合せパターンを分析します"
            "（ボーナス数字は入れていません）",
        .builder = buildCombinationPattern,
        .parameter = int(CombinationPattern::LowHigh),
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "偶数奇数の組合せパターン分析",
        .caption = "偶数・奇数の組合せパターン分析",
        .menuItem = "mnuKisuGusuPattern",
        .menuText = "偶数・奇数の組合せパターン分析",
        .geometry = {.width = 8750, .height = 13700},
        .label = "過去の当選番号を偶数と奇数に分類して分析します",
        .builder = buildCombinationPattern,
        .parameter = int(CombinationPattern::EvenOdd),
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "分割4傾向分析",
        .caption = "4分割傾向分析",
        .menuItem = "mnu5BunkatsuKeiko",
        .menuText = "4分割傾向分析",
        .geometry = {.width = 9090, .height = 13750},
        .label = "過去の当選番号を４つのグループに分けて傾向を分析します",
        .builder = withoutParameter<buildFourWayDivision>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "分割6データ分析",
        .caption = "6分割データ分析",
        .menuItem = "mnu6BunkatsuData",
        .menuText = "6分割データ分析",
        .geometry = {.width = 12365, .height = 12600},
        .label = "過去の当選番号の６グループに分類して分析します",
        .legend = kDivisionLegend,
        .builder = buildDivisionData,
        .parameter = 6,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "分割7データ分析",
        .caption = "7分割データ分析",
        .menuItem = "mnu7BunkatsuData",
        .menuText = "7分割データ分析",
        .geometry = {.width = 12365, .height = 12600},
        .label = "過去の当選番号の７グループに分類して分析します",
        .legend = kDivisionLegend,
        .builder = buildDivisionData,
        .parameter = 7,
        .drawNumberColumn = 1,
    },
    // The menu item's name says 11 for the nine-group view.
    ViewEntry{
        .windowName = "分割9データ分析",
        .caption = "9分割データ分析",
        .menuItem = "mnu11BunkatsuData",
        .menuText = "9分割データ分析",
        .geometry = {.width = 12365, .height = 12600},
        .label = "過去の当選番号の９グループに分類して分析します",
        .legend = kDivisionLegend,
        .builder = buildDivisionData,
        .parameter = 9,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "下一桁出現傾向分析",
        .caption = "下一桁出現傾向分析",
        .menuItem = "mnuLastChar",
        .menuText = "下一桁出現傾向分析",
        .geometry = {.width = 7400, .height = 13980},
        .label = "過去の当選番号の下一桁の数字の出現傾向を分析します",
        .builder = withoutParameter<buildLastDigitTendency>,
        .drawNumberColumn = 1,
    },
    ViewEntry{
        .windowName = "下一桁連続出現回数分析",
        .caption = "下一桁連続出現回数分析",
        .menuItem = "mnuLastCharRenzoku",
        .menuText = "下一桁連続出現回数分析",
        .geometry = {.width = 7400, .height = 13935},
        .label = "過去の当選番号の下一桁数字が何回続けて出現しているか分析します",
        .builder = withoutParameter<buildLastDigitStreak>,
        .drawNumberColumn = 1,
    },
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
