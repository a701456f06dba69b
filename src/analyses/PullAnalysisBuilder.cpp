#include "analyses/PullAnalysisBuilder.h"

#include "grid/Colours.h"

#include <algorithm>
#include <array>

namespace kazutama {

namespace {

constexpr int kColumns = 10; // draw number, then ball positions 1..9 in columns 2..10
constexpr int kHeaderRow = 1;
constexpr int kMainTitleColumn = 5; // the middle of the main-number columns 2..8
constexpr std::string_view kDrawHeading = "回数";
constexpr std::string_view kMainHeading = " 本 数 字";
constexpr std::string_view kFirstBonusHeading = "ボーナス数字1";
constexpr std::string_view kSecondBonusHeading = "ボーナス数字2";

int columnOf(int position) {
    return position + 1;
}

void layOut(ResultGrid& grid, int rows) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(kHeaderRow, 15);
    grid.setColumnWidth(ResultGrid::kAll, 7);
    grid.setColumnWidth(columnOf(kMainCount + 1), 10);
    grid.setColumnWidth(columnOf(kBallCount), 10);
    grid.setStaticText(GridBlock::all());
    // Cells are centred vertically from the start; one pass less over a table of tens of thousands of rows.
    grid.setHorizontalAlignment(GridBlock::all(), HorizontalAlignment::Center);
    grid.setForeground(GridBlock::columns(1, 1), colours::kRed);
    grid.setBackground(GridBlock::columns(1, 1), colours::kPaleYellow);
    grid.setBorderColour(colours::kLightBlueBorder);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setCurrentCell(0, 0);
}

void writeHeader(ResultGrid& grid) {
    const int r = kHeaderRow;
    grid.setRowHeight(r, 15);
    // The seven main-number columns read as one cell under one title.
    const GridBlock mainNumbers{columnOf(1), columnOf(kMainCount), r, r};
    grid.setBorders(mainNumbers, BorderMode::None);
    grid.setBorders(mainNumbers, BorderMode::Bottom);
    grid.setForeground(GridBlock::rows(r, r), colours::kBlack);
    grid.setBackground(GridBlock::rows(r, r), colours::kPalePink);
    grid.setText(1, r, kDrawHeading);
    grid.setText(kMainTitleColumn, r, kMainHeading);
    grid.setText(columnOf(kMainCount + 1), r, kFirstBonusHeading);
    grid.setText(columnOf(kBallCount), r, kSecondBonusHeading);
}

void markCell(ResultGrid& grid, int column, int row) {
    grid.setBackground(GridBlock::cell(column, row), colours::kPaleCyan);
}

void fill(ResultGrid& grid, const DrawHistory& history) {
    // No ball is numbered 0, so the first draw finds nothing to match.
    std::array<int, kBallCount> previous{};
    int row = kHeaderRow + 1;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        grid.setNumber(1, row, record.drawNumber);
        for (int position = 1; position <= kBallCount; ++position) {
            const int v = record.ball(position);
            grid.setNumber(columnOf(position), row, v);
            // Main and bonus numbers are matched against all nine previous numbers alike.
            if (std::find(previous.begin(), previous.end(), v) != previous.end())
                markCell(grid, columnOf(position), row);
        }
        previous = record.numbers;
        ++row;
    }
}

} // namespace

ResultGrid buildPullAnalysis(const Snapshot& snapshot) {
    // Sized for one row per draw number: skipped draws leave blank rows at the bottom.
    ResultGrid grid;
    layOut(grid, snapshot.summary().latestDrawNumber + kHeaderRow);
    writeHeader(grid);
    fill(grid, snapshot.history());
    grid.setHeadings(1, 1);
    return grid;
}

} // namespace kazutama
