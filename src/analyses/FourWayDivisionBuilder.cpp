#include "analyses/FourWayDivisionBuilder.h"

#include "grid/Colours.h"

#include <array>
#include <string_view>

namespace kazutama {

namespace {

constexpr int kHeadingRows = 1; // and the same header again below the last draw row
constexpr int kDrawColumn = 1;
constexpr int kFirstMainColumn = 2;
constexpr int kLastMainColumn = kFirstMainColumn + kMainCount - 1;
constexpr int kLastNumberColumn = kDrawColumn + kBallCount;
constexpr int kGroups = 4;
constexpr int kFirstCountColumn = kLastNumberColumn + 1;
constexpr int kColumns = kLastNumberColumn + kGroups;
constexpr int kMainTitleColumn = 5; // the middle of the seven main-number columns

constexpr Rgb kPaleBlue{200, 200, 255};

struct Group {
    std::string_view heading;
    Rgb colour; // of its numbers and of its count column
};
constexpr std::array<Group, kGroups> kGroupsByIndex = {{
    {"01～09", colours::kWhite},
    {"10～19", colours::kPaleCyan},
    {"20～29", colours::kPaleGreen},
    {"30～37", colours::kPaleYellow},
}};

// 0-based: 1..9, 10..19, 20..29 and 30..37.
int groupOf(int number) {
    return number / 10;
}

int lastDrawRow(int drawCount) {
    return kHeadingRows + drawCount;
}

void setUpGrid(ResultGrid& grid, int drawCount) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(lastDrawRow(drawCount) + 1);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 20);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setColumnWidth(kDrawColumn, 6);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    const int data = kHeadingRows + 1;
    grid.setForeground({kDrawColumn, kDrawColumn, data, GridBlock::kAll}, colours::kRed);
    grid.setBackground({kDrawColumn, kDrawColumn, data, GridBlock::kAll}, colours::kPaleYellow);
    grid.setBackground({kLastMainColumn + 1, kLastNumberColumn, data, GridBlock::kAll}, colours::kPaleYellow);
    // The first group's count column keeps the grid's background; its white is only for number cells.
    for (int group = 1; group < kGroups; ++group) {
        const int column = kFirstCountColumn + group;
        grid.setBackground({column, column, data, GridBlock::kAll}, kGroupsByIndex[group].colour);
    }
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    // The red line between the numbers and the counts.
    grid.setBorderColour(colours::kRed);
    grid.setBorders(GridBlock::columns(kFirstCountColumn, kFirstCountColumn), BorderMode::Left);
    grid.setBorderColour(std::nullopt);
    grid.setCurrentCell(0, 0);
}

void writeHeader(ResultGrid& grid, int row) {
    const GridBlock mainNumbers{kFirstMainColumn, kLastMainColumn, row, row};
    grid.setBorders(mainNumbers, BorderMode::None);
    grid.setBorderColour(colours::kBlack);
    grid.setBorders(mainNumbers, BorderMode::Bottom);
    grid.setBorderColour(std::nullopt);
    grid.setForeground({kDrawColumn, kLastNumberColumn, row, row}, colours::kBlack);
    grid.setBackground({kDrawColumn, kLastNumberColumn, row, row}, colours::kPalePink);
    grid.setForeground({kFirstCountColumn, kColumns, row, row}, colours::kBlue);
    grid.setBackground({kFirstCountColumn, kColumns, row, row}, kPaleBlue);
    grid.setRowHeight(row, 20);
    grid.setTextRunsOn(true);
    grid.setText(kDrawColumn, row, kDrawNumberColumn);
    grid.setText(kMainTitleColumn, row, "本 数 字");
    grid.setHorizontalAlignment(GridBlock::cell(kMainTitleColumn, row), HorizontalAlignment::Left);
    grid.setText(kLastMainColumn + 1, row, "ボ数1");
    grid.setText(kLastMainColumn + 2, row, "ボ数2");
    for (int group = 0; group < kGroups; ++group)
        grid.setText(kFirstCountColumn + group, row, kGroupsByIndex[group].heading);
}

// Complete draws take consecutive rows, so skipped draws leave empty rows above the bottom header.
void fill(ResultGrid& grid, const DrawHistory& history) {
    int row = kHeadingRows + 1;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        std::array<int, kGroups> counts{};
        grid.setNumber(kDrawColumn, row, record.drawNumber);
        for (int position = 1; position <= kBallCount; ++position) {
            const int number = record.ball(position);
            const int column = kDrawColumn + position;
            grid.setNumber(column, row, number);
            grid.setBackground(GridBlock::cell(column, row), kGroupsByIndex[groupOf(number)].colour);
            ++counts[groupOf(number)];
        }
        for (int group = 0; group < kGroups; ++group)
            grid.setNumber(kFirstCountColumn + group, row, counts[group]);
        ++row;
    }
}

} // namespace

ResultGrid buildFourWayDivision(const Snapshot& snapshot) {
    const int drawCount = snapshot.summary().latestDrawNumber;
    ResultGrid grid;
    setUpGrid(grid, drawCount);
    writeHeader(grid, 1);
    writeHeader(grid, lastDrawRow(drawCount) + 1);
    fill(grid, snapshot.history());
    grid.setHeadings(1, 1, 1);
    return grid;
}

} // namespace kazutama
