#include "analyses/AppearanceFrequencyBuilder.h"

#include "analyses/BallColours.h"
#include "grid/Colours.h"

#include <algorithm>
#include <array>

namespace kazutama {

namespace {

constexpr int kHeadingRows = 2; // number n is shown in row n + kHeadingRows
constexpr int kRows = kHighestNumber + kHeadingRows;
constexpr std::string_view kTitle = "  出 現 頻 度（回）";
constexpr std::string_view kNumberHeading = "数字";
constexpr std::string_view kDot = "●";

void setUpGrid(ResultGrid& grid, int lastColumn) {
    const int L = lastColumn;
    grid.setColumnCount(L);
    grid.setRowCount(kRows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 15);
    grid.setColumnWidth(ResultGrid::kAll, 2);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(L, 5);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);

    grid.setBorders({2, L, 1, 1}, BorderMode::Outline);
    grid.setBackground({2, L, 1, 1}, colours::kPaleYellow);
    grid.setBorders(GridBlock::cell(1, 1), BorderMode::Right);
    grid.setBorders(GridBlock::cell(L - 1, 1), BorderMode::Right);
    grid.setTextRunsOn(true);

    // L / 3 is never halfway between two columns, so this rounds it to the nearest one.
    const int titleColumn = (L + 1) / 3;
    grid.setForeground(GridBlock::cell(titleColumn, 1), colours::kRed);
    grid.setText(titleColumn, 1, kTitle);
    grid.setHorizontalAlignment(GridBlock::cell(titleColumn, 1), HorizontalAlignment::Left);

    for (int column : {1, L}) {
        grid.setForeground({column, column, 1, kRows}, colours::kBlue);
        grid.setBackground({column, column, 1, kRows}, colours::kVeryPaleCyan);
    }
    grid.setBorders({GridBlock::kAll, GridBlock::kAll, 2, kRows}, BorderMode::Grid);
    grid.setForeground({2, L - 1, 2, 2}, colours::kRed);
    grid.setBackground({2, L - 1, 2, 2}, colours::kPaleYellow);

    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        grid.setNumber(1, n + kHeadingRows, n);
        grid.setNumber(L, n + kHeadingRows, n);
    }
    grid.setCurrentCell(0, 0);
}

void fill(ResultGrid& grid, const DrawHistory& history) {
    std::array<int, kHighestNumber + 1> running{};
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        // One position at a time, so that a number stored twice in one draw still gets a dot per
        // appearance and its bar keeps no gap.
        for (int position = 1; position <= kBallCount; ++position) {
            const int v = record.ball(position);
            const int column = running[v] + 2;
            grid.setNumber(column, 2, running[v] + 1);
            grid.setText(column, v + kHeadingRows, kDot);
            grid.setForeground(GridBlock::cell(column, v + kHeadingRows), dotColour(position));
            ++running[v];
        }
    }
}

} // namespace

ResultGrid buildAppearanceFrequency(const Snapshot& snapshot) {
    const auto& counts = snapshot.summary().numberCounts;
    const int maxCount = *std::max_element(counts.begin() + kLowestNumber, counts.end());
    const int lastColumn = maxCount + 2;

    ResultGrid grid;
    setUpGrid(grid, lastColumn);
    fill(grid, snapshot.history());
    grid.setText(1, 2, kNumberHeading);
    grid.setText(lastColumn, 2, kNumberHeading);
    grid.setHeadings(2, 1);
    return grid;
}

} // namespace kazutama
