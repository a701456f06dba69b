#include "analyses/LastDigitFrame.h"

#include "grid/Colours.h"

#include <string_view>

namespace kazutama {

namespace {

// The blanks (one group full-width) place the title over the ten digit columns it runs on across.
constexpr std::string_view kTitle = "                                           下一桁数字"
                                    "                           　　　                  ";

enum class Layout { TitleAbove, TitleBelow };

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(kLastDigitColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setForeground(GridBlock::columns(1, 1), colours::kRed);
    grid.setBackground(GridBlock::columns(1, 1), colours::kPaleYellow);
    grid.setBorders({1, kLastDigitColumns, 2, GridBlock::kAll}, BorderMode::Grid);
    grid.setTextRunsOn(true);
    grid.setCurrentCell(0, 0);
}

void writeHeading(ResultGrid& grid, int firstRow, Layout layout) {
    const int titleRow = layout == Layout::TitleAbove ? firstRow : firstRow + 1;
    const int digitRow = layout == Layout::TitleAbove ? firstRow + 1 : firstRow;
    const GridBlock digits{2, kLastDigitColumns, firstRow, firstRow + 1};
    grid.setForeground(digits, colours::kBlue);
    grid.setBackground(digits, colours::kPalePink);

    grid.setBorders(GridBlock::cell(1, titleRow), BorderMode::Outline);
    grid.setText(1, titleRow, "回数");
    const GridBlock title{2, kLastDigitColumns, titleRow, titleRow};
    grid.setBorders(title, BorderMode::None);
    grid.setBorders(title, BorderMode::Outline);
    grid.setText(2, titleRow, kTitle);
    grid.setHorizontalAlignment(GridBlock::cell(2, titleRow), HorizontalAlignment::Left);
    grid.setRowHeight(titleRow, 20);

    for (int digit = 0; digit <= 9; ++digit)
        grid.setNumber(lastDigitColumn(digit), digitRow, digit);
}

} // namespace

ResultGrid makeLastDigitFrame(int drawRows) {
    ResultGrid grid;
    const int rows = drawRows + 4;
    setUpGrid(grid, rows);
    writeHeading(grid, 1, Layout::TitleAbove);
    writeHeading(grid, rows - 1, Layout::TitleBelow);
    return grid;
}

} // namespace kazutama
