#include "analyses/DrawListFrame.h"

#include "grid/Colours.h"

#include <utility>

namespace kazutama {

namespace {

using namespace drawlist;

constexpr std::string_view kMainTitle = "本 数 字";
constexpr std::string_view kBonusTitle = "　　　ボーナス数字";

// The footer is the header upside down: the labels row next to the data, the title row outside it.
void writeHeaderBlock(ResultGrid& grid, int firstRow, bool footer, const DrawListLayout& layout) {
    const int titleRow = footer ? firstRow + 1 : firstRow;
    const int labelRow = footer ? firstRow : firstRow + 1;

    // Only the lines inside each title's block go, so the block keeps its frame.
    for (const auto& [first, last] : {std::pair{2, layout.bonusBlockFirstColumn - 1},
                                      std::pair{layout.bonusBlockFirstColumn, kColumns}}) {
        grid.setBorders({first, last, titleRow, titleRow}, BorderMode::None);
        grid.setBorders({first, last, titleRow, titleRow}, BorderMode::Outline);
    }
    grid.setForeground({2, kColumns, firstRow, firstRow + 1}, colours::kBlack);
    grid.setBackground({2, kColumns, firstRow, firstRow + 1}, colours::kPalePink);

    grid.setText(layout.mainTitleColumn, titleRow, kMainTitle);
    grid.setHorizontalAlignment(GridBlock::cell(layout.mainTitleColumn, titleRow), layout.mainTitleAlignment);
    grid.setText(numberColumn(kMainCount + 1), titleRow, kBonusTitle);
    grid.setHorizontalAlignment(GridBlock::cell(numberColumn(kMainCount + 1), titleRow),
                                HorizontalAlignment::Left);

    grid.setText(1, labelRow, kDrawNumberColumn);
    for (int position = 1; position <= kBallCount; ++position) {
        grid.setText(numberColumn(position), labelRow, kNumberHeadings[position - 1]);
        grid.setText(resultColumn(position), labelRow, layout.resultHeading);
    }
}

} // namespace

void setUpDrawList(ResultGrid& grid, int drawCount, const DrawListLayout& layout) {
    const int lastRow = lastDrawRow(drawCount) + 2;
    grid.setColumnCount(kColumns);
    grid.setRowCount(lastRow);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 12);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    // The titles read across their blocks.
    grid.setTextRunsOn(true);

    for (int position = 1; position <= kMainCount; ++position) {
        const int column = numberColumn(position);
        grid.setBackground({column, column, kFirstDrawRow, lastDrawRow(drawCount)}, colours::kPaleCyan);
    }
    grid.setForeground(GridBlock::columns(1, 1), colours::kRed);
    grid.setBackground(GridBlock::columns(1, 1), colours::kPaleYellow);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);

    writeHeaderBlock(grid, 1, false, layout);
    writeHeaderBlock(grid, lastDrawRow(drawCount) + 1, true, layout);
    grid.setCurrentCell(0, 0);
}

void writeDrawNumbers(ResultGrid& grid, int row, const DrawRecord& record) {
    grid.setNumber(1, row, record.drawNumber);
    for (int position = 1; position <= kBallCount; ++position)
        grid.setNumber(numberColumn(position), row, record.ball(position));
}

} // namespace kazutama
