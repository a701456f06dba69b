#include "analyses/AppearanceCountBuilder.h"

#include "analyses/DrawListFrame.h"
#include "grid/Colours.h"

#include <array>
#include <utility>

namespace kazutama {

namespace {

constexpr int kHeadingRows = 1; // the title row; the column headings come below it
constexpr int kColumns = 1 + 2 * kBallCount;
constexpr int kLastNumberColumn = 1 + kBallCount;
constexpr std::string_view kNumbersTitle = "       当 選 数 字";
constexpr std::string_view kCountsTitle = "前回までの出現回数合計(回)";

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 12);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setForeground(GridBlock::columns(1, 1), colours::kRed);
    grid.setBackground(GridBlock::columns(1, 1), colours::kPaleYellow);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setCurrentCell(0, 0);
}

void writeHeadings(ResultGrid& grid) {
    const int titleRow = kHeadingRows;
    const int headingRow = kHeadingRows + 1;
    const GridBlock numbers{2, kLastNumberColumn, titleRow, headingRow};
    const GridBlock counts{kLastNumberColumn + 1, kColumns, titleRow, headingRow};
    grid.setForeground(numbers, colours::kBlue);
    grid.setBackground(numbers, colours::kPaleCyan);
    grid.setForeground(counts, colours::kRed);
    grid.setBackground(counts, colours::kPaleGreen);
    grid.setRowHeight(titleRow, 20);

    // Each title reads across its block: the block's cells lose their lines, and a right-hand line closes it.
    for (GridBlock block : {numbers, counts}) {
        block.lastRow = titleRow;
        grid.setBorders(block, BorderMode::None);
        grid.setBorders(GridBlock::cell(block.lastColumn, titleRow), BorderMode::Right);
    }
    grid.setTextRunsOn(true);
    for (const auto& [column, title] : {std::pair{5, kNumbersTitle}, std::pair{15, kCountsTitle}}) {
        grid.setText(column, titleRow, title);
        grid.setHorizontalAlignment(GridBlock::cell(column, titleRow), HorizontalAlignment::Left);
    }

    grid.setText(1, headingRow, kDrawNumberColumn);
    for (int position = 1; position <= kBallCount; ++position) {
        grid.setText(1 + position, headingRow, kNumberHeadings[position - 1]);
        grid.setText(kLastNumberColumn + position, headingRow, kNumberHeadings[position - 1]);
    }
}

void fill(ResultGrid& grid, const DrawHistory& history) {
    std::array<int, kHighestNumber + 1> running{};
    int row = kHeadingRows + 2;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue; // it leaves no row: the rows sized for it stay empty at the end
        grid.setNumber(1, row, record.drawNumber);
        // Counts are taken before this draw's own numbers are added, so a number stored twice in one draw
        // shows the same count twice.
        for (int position = 1; position <= kBallCount; ++position) {
            const int v = record.ball(position);
            grid.setNumber(1 + position, row, v);
            grid.setNumber(kLastNumberColumn + position, row, running[v]);
        }
        for (int position = 1; position <= kBallCount; ++position)
            ++running[record.ball(position)];
        ++row;
    }
}

} // namespace

ResultGrid buildAppearanceCount(const Snapshot& snapshot) {
    ResultGrid grid;
    setUpGrid(grid, snapshot.summary().latestDrawNumber + kHeadingRows + 1);
    writeHeadings(grid);
    fill(grid, snapshot.history());
    grid.setHeadings(2, 1);
    return grid;
}

} // namespace kazutama
