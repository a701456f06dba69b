#include "analyses/AppearanceByCountBuilder.h"

#include "grid/Colours.h"

#include <algorithm>
#include <string>

namespace kazutama {

namespace {

constexpr std::string_view kCountHeading = "出 現";
constexpr std::string_view kNumbersHeading = "数 字";
constexpr std::string_view kTimesSuffix = "回";

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(2);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(2, 20);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setBackground({1, 1, 2, GridBlock::kAll}, colours::kPaleYellow);
    grid.setCurrentCell(0, 0);
}

void writeHeadings(ResultGrid& grid) {
    grid.setText(1, 1, kCountHeading);
    grid.setText(2, 1, kNumbersHeading);
    grid.setBackground({1, 2, 1, 1}, colours::kPalePink);
    grid.setTextRunsOn(true);
    grid.setForeground({2, 2, 2, GridBlock::kAll}, colours::kBlue);
    grid.setHorizontalAlignment({2, 2, 2, GridBlock::kAll}, HorizontalAlignment::Left);
    // A short history leaves many numbers in one group, more than the column holds on one line.
    grid.setTextWraps(2);
}

void fill(ResultGrid& grid, const StartupSummary& summary) {
    int row = 1;
    for (std::size_t count = 0; count < summary.countGroups.size(); ++count) {
        const std::string& numbers = summary.countGroups[count];
        if (numbers.empty())
            continue;
        ++row;
        grid.setText(1, row, std::to_string(count) + std::string(kTimesSuffix));
        grid.setText(2, row, numbers);
    }
}

} // namespace

ResultGrid buildAppearanceByCount(const Snapshot& snapshot) {
    // An empty history has no group rows at all, not even the heading row.
    ResultGrid grid;
    setUpGrid(grid, snapshot.summary().groupRowCount);
    writeHeadings(grid);
    fill(grid, snapshot.summary());
    grid.setHeadings(1, 0);
    return grid;
}

} // namespace kazutama
