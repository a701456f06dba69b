#include "analyses/CombinationPatternBuilder.h"

#include "grid/Colours.h"

#include <array>
#include <optional>
#include <string_view>

namespace kazutama {

namespace {

constexpr int kHeadingRows = 1;
constexpr int kDrawColumn = 1;
constexpr int kFirstMainColumn = 2;
constexpr int kBonus1Column = kFirstMainColumn + kMainCount;
constexpr int kBonus2Column = kBonus1Column + 1;
constexpr int kCountedColumn = kBonus2Column + 1; // the numbers the classification counts
constexpr int kOtherColumn = kCountedColumn + 1;  // 7 minus that count
constexpr int kPatternColumn = kOtherColumn + 1;
constexpr int kColumns = kPatternColumn;
constexpr int kMainTitleColumn = 5; // the middle of the seven main-number columns

// By the count the letter follows, 0 ("A") to 7 ("H"); "A" keeps the grid's background.
constexpr std::array<std::optional<Rgb>, kMainCount + 1> kPatternBackgrounds = {
    std::nullopt,    colours::kPaleCyan,    colours::kPaleGreen, colours::kPaleYellow,
    colours::kWhite, colours::kPaleMagenta, colours::kPalePink,  colours::kRed,
};

struct Classification {
    std::string_view countedHeading;
    std::string_view otherHeading;
    bool (*counts)(int number);
    // The even/odd view names its pattern by the odd count, the right-hand column.
    bool letterFollowsOther;
    // The even/odd view paints the odd numbers white; the low/high view leaves the high ones alone.
    std::optional<Rgb> otherBackground;
};

const Classification& classification(int pattern) {
    static const Classification lowHigh{"低数字", "高数字", [](int n) { return n <= 18; }, false,
                                        std::nullopt};
    static const Classification evenOdd{"偶数", "奇数", [](int n) { return n % 2 == 0; }, true,
                                        colours::kWhite};
    return pattern == int(CombinationPattern::EvenOdd) ? evenOdd : lowHigh;
}

void setUpGrid(ResultGrid& grid, int rows) {
    grid.setColumnCount(kColumns);
    grid.setRowCount(rows);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(1, 20);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setColumnWidth(kDrawColumn, 6);
    grid.setColumnWidth(kPatternColumn, 7);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    const int data = kHeadingRows + 1;
    grid.setForeground({kDrawColumn, kDrawColumn, data, GridBlock::kAll}, colours::kRed);
    grid.setBackground({kDrawColumn, kDrawColumn, data, GridBlock::kAll}, colours::kPaleYellow);
    grid.setBackground({kBonus1Column, kBonus2Column, data, GridBlock::kAll}, colours::kPaleYellow);
    grid.setForeground({kCountedColumn, kOtherColumn, data, GridBlock::kAll}, colours::kBlue);
    grid.setBackground({kCountedColumn, kCountedColumn, data, GridBlock::kAll}, colours::kPaleCyan);
    grid.setBackground({kOtherColumn, kOtherColumn, data, GridBlock::kAll}, colours::kWhite);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setCurrentCell(0, 0);
}

void writeHeader(ResultGrid& grid, const Classification& classified) {
    const GridBlock mainNumbers{kFirstMainColumn, kBonus1Column - 1, 1, 1};
    grid.setBorders(mainNumbers, BorderMode::None);
    grid.setBorders(mainNumbers, BorderMode::Outline);
    grid.setForeground(GridBlock::rows(1, 1), colours::kBlue);
    grid.setBackground(GridBlock::rows(1, 1), colours::kPalePink);
    grid.setRowHeight(1, 20);
    grid.setTextRunsOn(true);
    grid.setText(kDrawColumn, 1, kDrawNumberColumn);
    grid.setText(kMainTitleColumn, 1, "本 数 字");
    grid.setHorizontalAlignment(GridBlock::cell(kMainTitleColumn, 1), HorizontalAlignment::Left);
    grid.setText(kBonus1Column, 1, "ボ数1");
    grid.setText(kBonus2Column, 1, "ボ数2");
    grid.setText(kCountedColumn, 1, classified.countedHeading);
    grid.setText(kOtherColumn, 1, classified.otherHeading);
    grid.setText(kPatternColumn, 1, "パターン");
}

void setPatternCell(ResultGrid& grid, int count, int row) {
    if (const auto background = kPatternBackgrounds[count])
        grid.setBackground(GridBlock::cell(kPatternColumn, row), *background);
    grid.setText(kPatternColumn, row, std::string(1, char('A' + count)));
}

// Complete draws take consecutive rows, so skipped draws leave their empty rows at the bottom.
void fill(ResultGrid& grid, const DrawHistory& history, const Classification& classified) {
    int row = kHeadingRows + 1;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        grid.setNumber(kDrawColumn, row, record.drawNumber);
        int counted = 0;
        for (int position = 1; position <= kMainCount; ++position) {
            const int number = record.ball(position);
            const GridBlock cell = GridBlock::cell(kFirstMainColumn + position - 1, row);
            grid.setNumber(cell.firstColumn, row, number);
            if (classified.counts(number)) {
                grid.setBackground(cell, colours::kPaleCyan);
                ++counted;
            } else if (classified.otherBackground) {
                grid.setBackground(cell, *classified.otherBackground);
            }
        }
        grid.setNumber(kBonus1Column, row, record.ball(kMainCount + 1));
        grid.setNumber(kBonus2Column, row, record.ball(kMainCount + 2));
        grid.setNumber(kCountedColumn, row, counted);
        grid.setNumber(kOtherColumn, row, kMainCount - counted);
        setPatternCell(grid, classified.letterFollowsOther ? kMainCount - counted : counted, row);
        ++row;
    }
}

} // namespace

ResultGrid buildCombinationPattern(const Snapshot& snapshot, int pattern) {
    const Classification& classified = classification(pattern);
    ResultGrid grid;
    setUpGrid(grid, snapshot.summary().latestDrawNumber + kHeadingRows);
    writeHeader(grid, classified);
    fill(grid, snapshot.history(), classified);
    grid.setHeadings(1, 1);
    return grid;
}

} // namespace kazutama
