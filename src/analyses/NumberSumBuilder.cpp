#include "analyses/NumberSumBuilder.h"

#include "grid/Colours.h"

namespace kazutama {

namespace {

constexpr int kHeadingRows = 1;
constexpr int kDrawColumn = 1;
constexpr int kMainSumColumn = 2 + kMainCount; // after the draw number and the seven main numbers
constexpr int kBonus1Column = kMainSumColumn + 1;
constexpr int kBonus2Column = kMainSumColumn + 2;
constexpr int kTotalColumn = kMainSumColumn + 3;
constexpr int kColumns = kTotalColumn;

// The blanks centre the title over the seven main-number columns it runs on across.
constexpr std::string_view kMainNumbersTitle =
    "                       　本 数 字                              ";

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 20);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setColumnWidth(kMainSumColumn, 8);
    grid.setColumnWidth(kBonus1Column, 6);
    grid.setColumnWidth(kBonus2Column, 6);
    grid.setColumnWidth(kTotalColumn, 10);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    const int dataRows = kHeadingRows + 1;
    grid.setForeground({kDrawColumn, kDrawColumn, dataRows, GridBlock::kAll}, colours::kRed);
    grid.setBackground({kDrawColumn, kDrawColumn, dataRows, GridBlock::kAll}, colours::kPaleYellow);
    for (int column : {kMainSumColumn, kTotalColumn}) {
        grid.setForeground({column, column, dataRows, GridBlock::kAll}, colours::kBlue);
        grid.setBackground({column, column, dataRows, GridBlock::kAll}, colours::kPaleCyan);
    }
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setCurrentCell(0, 0);
}

void writeHeadings(ResultGrid& grid) {
    const GridBlock mainNumbers{kDrawColumn + 1, kDrawColumn + kMainCount, 1, 1};
    grid.setBorders(mainNumbers, BorderMode::None);
    grid.setBorders(mainNumbers, BorderMode::Outline);
    grid.setForeground(GridBlock::rows(1, 1), colours::kBlack);
    grid.setBackground(GridBlock::rows(1, 1), colours::kPalePink);
    grid.setTextRunsOn(true);
    grid.setText(kDrawColumn, 1, "回数");
    grid.setText(kDrawColumn + 1, 1, kMainNumbersTitle);
    grid.setHorizontalAlignment(GridBlock::cell(kDrawColumn + 1, 1), HorizontalAlignment::Left);
    grid.setText(kMainSumColumn, 1, "本数字合計");
    grid.setText(kBonus1Column, 1, "ボ数字1");
    grid.setText(kBonus2Column, 1, "ボ数字2");
    grid.setText(kTotalColumn, 1, "本数字+ボ数字");
}

// Complete draws take consecutive rows, so skipped draws leave their empty rows at the bottom.
void fill(ResultGrid& grid, const DrawHistory& history) {
    int row = kHeadingRows + 1;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        grid.setNumber(kDrawColumn, row, record.drawNumber);
        int mainSum = 0;
        for (int k = 1; k <= kMainCount; ++k) {
            grid.setNumber(kDrawColumn + k, row, record.ball(k));
            mainSum += record.ball(k);
        }
        grid.setNumber(kMainSumColumn, row, mainSum);
        grid.setNumber(kBonus1Column, row, record.ball(kMainCount + 1));
        grid.setNumber(kBonus2Column, row, record.ball(kMainCount + 2));
        grid.setNumber(kTotalColumn, row,
                       mainSum + record.ball(kMainCount + 1) + record.ball(kMainCount + 2));
        ++row;
    }
}

} // namespace

ResultGrid buildNumberSum(const Snapshot& snapshot) {
    ResultGrid grid;
    setUpGrid(grid, snapshot.summary().latestDrawNumber + kHeadingRows);
    writeHeadings(grid);
    fill(grid, snapshot.history());
    grid.setHeadings(1, 1);
    return grid;
}

} // namespace kazutama
