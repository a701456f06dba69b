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

namespace {

// The hit and prize columns that follow a draw in the lists of 過去の全当選と照合 and 購入数字の照合.
ResultGrid hitList(int draws) {
    using namespace drawrows;
    ResultGrid grid = drawList(kBestColumns, draws);
    grid.setColumnWidth(kMainHitsColumn, 13);
    grid.setColumnWidth(kBonusHitsColumn, 13);
    grid.setColumnWidth(kTierColumn, 6);
    grid.setText(kMainHitsColumn, 1, "本数字当たり");
    grid.setText(kBonusHitsColumn, 1, "ボ数字当たり");
    grid.setText(kTierColumn, 1, "等級");
    return grid;
}

void writeHits(ResultGrid& grid, int row, const TicketHits& hits) {
    using namespace drawrows;
    grid.setText(kMainHitsColumn, row, std::to_string(hits.main) + " 個");
    grid.setText(kBonusHitsColumn, row, std::to_string(hits.bonus) + " 個");
    grid.setText(kTierColumn, row, tierName(hits.tier));
    if (hits.tier > 0)
        grid.setBackground(GridBlock::cell(kTierColumn, row), colours::kPaleMagenta);
}

} // namespace

ResultGrid historyBestGrid(const HistoryCheck& check, const DrawDateText& dateOf) {
    ResultGrid grid = hitList(int(check.bestDraws.size()));
    const std::vector<int> ticket(check.numbers.begin(), check.numbers.end());
    int row = drawrows::kHeadingRows;
    for (const DrawRecord& draw : check.bestDraws) {
        writeDraw(grid, ++row, draw, ticket, dateOf);
        writeHits(grid, row, ticketHits(check.numbers, draw));
    }
    return grid;
}

ResultGrid ticketDrawsGrid(const Ticket& ticket, const TicketResult& result, const DrawDateText& dateOf) {
    using namespace drawrows;
    ResultGrid grid = hitList(int(result.draws.size()));
    const std::vector<int> numbers(ticket.numbers.begin(), ticket.numbers.end());
    int row = kHeadingRows;
    for (const TicketDraw& draw : result.draws) {
        ++row;
        if (draw.pending()) {
            grid.setNumber(kDrawColumn, row, draw.drawNumber);
            if (dateOf)
                grid.setText(kDateColumn, row, dateOf(draw.drawNumber));
            grid.setText(kTierColumn, row, "未抽選");
            continue;
        }
        writeDraw(grid, row, *draw.draw, numbers, dateOf);
        writeHits(grid, row, {draw.mainHits, draw.bonusHits, draw.tier});
    }
    return grid;
}

ResultGrid ticketListGrid(const std::vector<Ticket>& tickets, const std::vector<TicketResult>& results) {
    using namespace ticketlist;
    ResultGrid grid = frame(kColumns, kHeadingRows + int(tickets.size()));
    grid.setColumnWidth(ResultGrid::kAll, 4);
    grid.setColumnWidth(kIdColumn, 5);
    grid.setColumnWidth(kFirstDrawColumn, 7);
    grid.setColumnWidth(kLastDrawColumn, 7);
    grid.setColumnWidth(kPendingColumn, 7);
    grid.setColumnWidth(kMemoColumn, 30);
    grid.setText(kIdColumn, 1, "番号");
    groupHeading(grid, kFirstNumberColumn, kFirstDrawColumn - 1, " 購入数字");
    grid.setText(kFirstDrawColumn, 1, "開始回");
    grid.setText(kLastDrawColumn, 1, "終了回");
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        grid.setText(kFirstTierColumn + tier - 1, 1, tierName(tier));
    grid.setText(kPendingColumn, 1, "未抽選");
    grid.setText(kMemoColumn, 1, "メモ");
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const int row = kHeadingRows + 1 + int(i);
        const Ticket& ticket = tickets[i];
        grid.setNumber(kIdColumn, row, ticket.id);
        for (int k = 0; k < kMainCount; ++k)
            grid.setNumber(kFirstNumberColumn + k, row, ticket.numbers[std::size_t(k)]);
        grid.setNumber(kFirstDrawColumn, row, ticket.firstDraw);
        grid.setNumber(kLastDrawColumn, row, ticket.lastDraw);
        if (i < results.size()) {
            for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
                const int won = results[i].tierCounts[std::size_t(tier)];
                grid.setNumber(kFirstTierColumn + tier - 1, row, won);
                if (won > 0)
                    grid.setBackground(GridBlock::cell(kFirstTierColumn + tier - 1, row),
                                       colours::kPaleMagenta);
            }
            grid.setNumber(kPendingColumn, row, results[i].pending);
        }
        grid.setText(kMemoColumn, row, ticket.memo);
    }
    const int last = grid.rowCount();
    grid.setForeground({kIdColumn, kIdColumn, 2, last}, colours::kRed);
    grid.setBackground({kIdColumn, kIdColumn, 2, last}, colours::kPaleYellow);
    grid.setBackground({kFirstNumberColumn, kFirstDrawColumn - 1, 2, last}, colours::kPaleCyan);
    grid.setHorizontalAlignment({kMemoColumn, kMemoColumn, 2, last}, HorizontalAlignment::Left);
    grid.setHeadings(kHeadingRows, 1);
    return grid;
}

HistoryCheck ticketTierCheck(const Ticket& ticket, const TicketResult& result) {
    HistoryCheck check;
    check.numbers = ticket.numbers;
    check.completeDraws = int(result.draws.size()) - result.pending;
    check.tierCounts = result.tierCounts;
    check.tierExpected = expectedTierCounts(check.completeDraws);
    return check;
}

std::string ticketSentence(const Ticket& ticket, const TicketResult& result) {
    const int drawn = int(result.draws.size()) - result.pending;
    std::string text =
        "購入数字" + std::to_string(ticket.id) + "（第" + std::to_string(ticket.firstDraw) + "回" +
        (ticket.lastDraw > ticket.firstDraw ? "～第" + std::to_string(ticket.lastDraw) + "回" : "") +
        "）: 抽選済み " + std::to_string(drawn) + " 回、未抽選 " + std::to_string(result.pending) + " 回。";
    if (drawn == 0)
        return text + "まだ抽選された回がありません。";
    std::string won;
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        if (const int n = result.tierCounts[std::size_t(tier)])
            won += (won.empty() ? "" : "、") + tierName(tier) + " " + std::to_string(n) + " 回";
    return text + (won.empty() ? "当せんはありません。" : won + "当せんしました。") +
           "どの 7 個を選んでも、偶然だけで当たる回数の平均は同じです（下の表の「偶然の期待値」）。";
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
