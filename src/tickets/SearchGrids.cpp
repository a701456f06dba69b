#include "tickets/SearchGrids.h"

#include "prediction/BacktestGrids.h"

#include <algorithm>

namespace kazutama {

namespace {

constexpr double kRowHeight = 11;
constexpr double kHeadingRowHeight = 12;

constexpr std::array<std::string_view, kPrizeTierCount + 1> kTierConditions = {
    "上のどれにも当たらない",
    "本数字 7 個",
    "本数字 6 個とボーナス数字 1 個",
    "本数字 6 個",
    "本数字 5 個",
    "本数字 4 個",
    "本数字 3 個とボーナス数字 1 個",
};

std::string tierName(int tier) {
    return tier == 0 ? "はずれ" : std::to_string(tier) + "等";
}

// Every cell centred and framed; the heading row pale pink with blue text.
ResultGrid frame(int columns, int rows) {
    ResultGrid grid(columns, rows);
    grid.setRowHeight(ResultGrid::kAll, kRowHeight);
    grid.setRowHeight(1, kHeadingRowHeight);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setTextRunsOn(true);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setForeground(GridBlock::rows(1, 1), colours::kBlue);
    grid.setBackground(GridBlock::rows(1, 1), colours::kPalePink);
    grid.setCurrentCell(0, 0);
    return grid;
}

// A heading over several columns, written in its first cell and reading across the others.
void groupHeading(ResultGrid& grid, int firstColumn, int lastColumn, std::string_view text) {
    grid.setBorders({firstColumn, lastColumn, 1, 1}, BorderMode::None);
    grid.setBorders({firstColumn, lastColumn, 1, 1}, BorderMode::Outline);
    grid.setText(firstColumn, 1, text);
    grid.setHorizontalAlignment(GridBlock::cell(firstColumn, 1), HorizontalAlignment::Left);
}

// The frame of a draw list of `draws` rows and `columns` columns, with the headings of its first eleven.
ResultGrid drawList(int columns, int draws) {
    using namespace drawrows;
    ResultGrid grid = frame(columns, kHeadingRows + draws);
    grid.setColumnWidth(ResultGrid::kAll, 4);
    grid.setColumnWidth(kDrawColumn, 5);
    grid.setColumnWidth(kDateColumn, 11);
    grid.setText(kDrawColumn, 1, "回");
    grid.setText(kDateColumn, 1, "抽選日");
    groupHeading(grid, kFirstMainColumn, kFirstBonusColumn - 1, " 本数字（小さい順）");
    groupHeading(grid, kFirstBonusColumn, kColumns, " ボーナス");
    const int last = grid.rowCount();
    grid.setForeground({kDrawColumn, kDrawColumn, 2, last}, colours::kRed);
    grid.setBackground({kDrawColumn, kDrawColumn, 2, last}, colours::kPaleYellow);
    grid.setBackground({kFirstMainColumn, kFirstBonusColumn - 1, 2, last}, colours::kPaleCyan);
    grid.setHeadings(kHeadingRows, 1);
    return grid;
}

// One draw into a row of a draw list, each of `marked` that it holds in its colour of kHitLegend.
void writeDraw(ResultGrid& grid, int row, const DrawRecord& draw, const std::vector<int>& marked,
               const DrawDateText& dateOf) {
    using namespace drawrows;
    grid.setNumber(kDrawColumn, row, draw.drawNumber);
    if (dateOf)
        grid.setText(kDateColumn, row, dateOf(draw.drawNumber));
    std::array<int, kBallCount> numbers = draw.numbers;
    std::sort(numbers.begin(), numbers.begin() + kMainCount);
    for (int i = 0; i < kBallCount; ++i) {
        const int column = kFirstMainColumn + i;
        const int number = numbers[std::size_t(i)];
        grid.setNumber(column, row, number);
        if (std::find(marked.begin(), marked.end(), number) == marked.end())
            continue;
        const std::size_t legend = i < kMainCount ? 0 : std::size_t(i - kMainCount + 1);
        grid.setBackground(GridBlock::cell(column, row), kHitLegend[legend].colour);
    }
}

// "9 個の数字がそろった 695 回（第1回～第695回）", or empty where the history holds no complete draw.
std::string completeDraws(const DrawHistory& history, int count) {
    const auto complete = [](const DrawRecord& draw) { return draw.isComplete(); };
    const auto first = std::find_if(history.begin(), history.end(), complete);
    if (first == history.end())
        return {};
    const auto last = std::find_if(history.records().rbegin(), history.records().rend(), complete);
    return "9 個の数字がそろった " + std::to_string(count) + " 回（第" + std::to_string(first->drawNumber) +
           "回～第" + std::to_string(last->drawNumber) + "回）";
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (const int n : numbers)
        text += (text.empty() ? "" : "・") + std::to_string(n);
    return text;
}

} // namespace

std::string_view tierCondition(int tier) {
    return kTierConditions[std::size_t(tier)];
}

ResultGrid numberSearchGrid(const NumberSearch& search, const DrawDateText& dateOf) {
    ResultGrid grid = drawList(drawrows::kColumns, int(search.found.size()));
    int row = drawrows::kHeadingRows;
    for (const DrawRecord& draw : search.found)
        writeDraw(grid, ++row, draw, search.numbers, dateOf);
    return grid;
}

std::string numberSearchSentence(const NumberSearch& search, const DrawHistory& history) {
    const std::string draws = completeDraws(history, search.completeDraws);
    if (draws.empty())
        return "9 個の数字がそろった回がまだないため、探せません。";
    return draws + "のうち、" + (search.withBonus ? "本数字かボーナス数字" : "本数字") + "に " +
           joined(search.numbers) + (search.numbers.size() > 1 ? " をすべて" : " を") + "含む回は " +
           std::to_string(search.found.size()) + " 回でした。偶然だけでも平均 " +
           expectedCountText(search.expected) + " 回になり、これはどの数字を選んでも同じです。";
}

ResultGrid historyTierGrid(const HistoryCheck& check) {
    using namespace tiergrid;
    ResultGrid grid = frame(kColumns, kHeadingRows + kPrizeTierCount + 1);
    grid.setColumnWidth(1, 7);
    grid.setColumnWidth(kConditionColumn, 30);
    grid.setColumnWidth(kCountColumn, 7);
    grid.setColumnWidth(kExpectedColumn, 13);
    grid.setText(1, 1, "等級");
    grid.setText(kConditionColumn, 1, "当せんの条件（7 個のうち）");
    grid.setText(kCountColumn, 1, "回数");
    grid.setText(kExpectedColumn, 1, "偶然の期待値");
    for (int tier = 0; tier <= kPrizeTierCount; ++tier) {
        const int at = row(tier);
        grid.setText(1, at, tierName(tier));
        grid.setText(kConditionColumn, at, tierCondition(tier));
        if (check.completeDraws == 0)
            continue; // nothing checked yet: no count, and no count to expect
        grid.setNumber(kCountColumn, at, check.tierCounts[std::size_t(tier)]);
        grid.setText(kExpectedColumn, at, expectedCountText(check.tierExpected[std::size_t(tier)]));
    }
    grid.setHorizontalAlignment(GridBlock::columns(kConditionColumn, kConditionColumn),
                                HorizontalAlignment::Left);
    grid.setForeground({1, 1, 2, grid.rowCount()}, colours::kBlue);
    grid.setBackground({1, 1, 2, grid.rowCount()}, colours::kVeryPaleCyan);
    grid.setHeadings(kHeadingRows, 1);
    return grid;
}

ResultGrid historyHitGrid(const HistoryCheck& check) {
    using namespace hitgrid;
    ResultGrid grid = frame(kColumns, kHeadingRows + kMainCount + 1);
    grid.setColumnWidth(1, 16);
    grid.setColumnWidth(kCountColumn, 7);
    grid.setColumnWidth(kExpectedColumn, 13);
    grid.setText(1, 1, "本数字の当たり数");
    grid.setText(kCountColumn, 1, "回数");
    grid.setText(kExpectedColumn, 1, "偶然の期待値");
    for (int hits = 0; hits <= kMainCount; ++hits) {
        const int at = row(hits);
        grid.setText(1, at, std::to_string(hits) + " 個");
        if (check.completeDraws == 0)
            continue;
        grid.setNumber(kCountColumn, at, check.mainHitCounts[std::size_t(hits)]);
        grid.setText(kExpectedColumn, at, expectedCountText(check.mainHitExpected[std::size_t(hits)]));
    }
    grid.setForeground({1, 1, 2, grid.rowCount()}, colours::kBlue);
    grid.setBackground({1, 1, 2, grid.rowCount()}, colours::kVeryPaleCyan);
    grid.setHeadings(kHeadingRows, 1);
    return grid;
}

ResultGrid historyBestGrid(const HistoryCheck& check, const DrawDateText& dateOf) {
    using namespace drawrows;
    ResultGrid grid = drawList(kBestColumns, int(check.bestDraws.size()));
    grid.setColumnWidth(kMainHitsColumn, 13);
    grid.setColumnWidth(kBonusHitsColumn, 13);
    grid.setColumnWidth(kTierColumn, 6);
    grid.setText(kMainHitsColumn, 1, "本数字当たり");
    grid.setText(kBonusHitsColumn, 1, "ボ数字当たり");
    grid.setText(kTierColumn, 1, "等級");
    const std::vector<int> ticket(check.numbers.begin(), check.numbers.end());
    int row = kHeadingRows;
    for (const DrawRecord& draw : check.bestDraws) {
        writeDraw(grid, ++row, draw, ticket, dateOf);
        const auto held = [&](int first, int last) {
            return std::count_if(draw.numbers.begin() + first, draw.numbers.begin() + last,
                                 [&](int n) { return std::binary_search(ticket.begin(), ticket.end(), n); });
        };
        grid.setText(kMainHitsColumn, row, std::to_string(held(0, kMainCount)) + " 個");
        grid.setText(kBonusHitsColumn, row, std::to_string(held(kMainCount, kBallCount)) + " 個");
        grid.setText(kTierColumn, row, tierName(check.bestTier));
        if (check.bestTier > 0)
            grid.setBackground(GridBlock::cell(kTierColumn, row), colours::kPaleMagenta);
    }
    return grid;
}

std::string historyCheckSentence(const HistoryCheck& check, const DrawHistory& history) {
    const std::string draws = completeDraws(history, check.completeDraws);
    if (draws.empty())
        return "9 個の数字がそろった回がまだないため、照合できません。";
    const std::string best = check.bestTier > 0 ? "いちばんよい結果は " + tierName(check.bestTier) + "（" +
                                                      std::string(tierCondition(check.bestTier)) + "）で、"
                                                : "どの等級にも当たらず、いちばんよい結果は本数字 " +
                                                      std::to_string(check.bestMainHits) + " 個で、";
    return draws + "と照合しました。" + best + std::to_string(check.bestDraws.size()) + " 回ありました。";
}

} // namespace kazutama
