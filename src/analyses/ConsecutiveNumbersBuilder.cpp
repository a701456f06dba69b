#include "analyses/ConsecutiveNumbersBuilder.h"

#include "grid/Colours.h"

#include <array>

namespace kazutama {

namespace {

constexpr int kHeadingRows = 1;
constexpr int kHalfColumns = 1 + kMainCount; // the draw number, then the seven main numbers
constexpr int kColumns = 2 * kHalfColumns;
constexpr int kTitleOffset = 3; // the title starts over the third main number
constexpr std::string_view kDrawNumberHeading = "回数";
constexpr Rgb kNoPair{225, 225, 225};

// The two halves differ only in how far apart a marked pair is, in their title and in their colours.
struct Half {
    int firstColumn; // the draw-number column
    int gap;
    std::string_view title;
    Rgb titleBackground;
    Rgb pairBackground;
};
constexpr std::array kHalves = {
    Half{1, 1, "　連番(本数字)", colours::kPaleMagenta, colours::kPaleCyan},
    Half{1 + kHalfColumns, 2, "　飛び石(本数字)", colours::kPalePink, colours::kPaleGreen},
};

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setColumnWidth(ResultGrid::kAll, 4);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    for (const Half& half : kHalves) {
        const GridBlock drawNumbers = GridBlock::columns(half.firstColumn, half.firstColumn);
        grid.setForeground(drawNumbers, colours::kRed);
        grid.setBackground(drawNumbers, colours::kPaleYellow);
    }
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setCurrentCell(0, 0);
}

void writeHeadings(ResultGrid& grid) {
    grid.setTextRunsOn(true);
    for (const Half& half : kHalves) {
        const GridBlock numbers{half.firstColumn + 1, half.firstColumn + kMainCount, 1, 1};
        grid.setBorders(numbers, BorderMode::None);
        grid.setBorders(numbers, BorderMode::Outline);
        grid.setBackground(numbers, half.titleBackground);
        grid.setText(half.firstColumn, 1, kDrawNumberHeading);
        const int titleColumn = half.firstColumn + kTitleOffset;
        grid.setText(titleColumn, 1, half.title);
        grid.setHorizontalAlignment(GridBlock::cell(titleColumn, 1), HorizontalAlignment::Left);
    }
}

void writeHalf(ResultGrid& grid, const Half& half, const DrawRecord& record, int row) {
    grid.setNumber(half.firstColumn, row, record.drawNumber);
    int pairs = 0;
    for (int k = 1; k <= kMainCount; ++k) {
        grid.setNumber(half.firstColumn + k, row, record.ball(k));
        // Neighbouring positions only, in their stored order: a pair stored the wrong way round is no pair.
        if (k < kMainCount && record.ball(k) + half.gap == record.ball(k + 1)) {
            ++pairs;
            grid.setBackground({half.firstColumn + k, half.firstColumn + k + 1, row, row},
                               half.pairBackground);
        }
    }
    if (pairs == 0)
        grid.setBackground(GridBlock::cell(half.firstColumn, row), kNoPair);
}

// Complete draws take consecutive rows, so skipped draws leave their empty rows at the bottom.
void fill(ResultGrid& grid, const DrawHistory& history) {
    int row = kHeadingRows + 1;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        for (const Half& half : kHalves)
            writeHalf(grid, half, record, row);
        ++row;
    }
}

} // namespace

ResultGrid buildConsecutiveNumbers(const Snapshot& snapshot) {
    ResultGrid grid;
    setUpGrid(grid, snapshot.summary().latestDrawNumber + kHeadingRows);
    writeHeadings(grid);
    fill(grid, snapshot.history());
    grid.setHeadings(1, 1);
    return grid;
}

} // namespace kazutama
