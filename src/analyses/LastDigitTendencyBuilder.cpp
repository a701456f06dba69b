#include "analyses/LastDigitTendencyBuilder.h"

#include "analyses/LastDigitFrame.h"
#include "grid/Colours.h"

#include <array>
#include <string>

namespace kazutama {

namespace {

Rgb digitCountColour(int count) {
    if (count >= 4)
        return colours::kPalePink;
    if (count == 3)
        return colours::kPaleGreen;
    if (count == 2)
        return colours::kPaleCyan;
    return colours::kWhite;
}

int completeDraws(const DrawHistory& history) {
    int count = 0;
    for (const DrawRecord& record : history)
        count += record.isComplete() ? 1 : 0;
    return count;
}

// Complete draws take consecutive rows, so skipped draws leave their empty rows above the bottom heading.
void fill(ResultGrid& grid, const DrawHistory& history) {
    // An empty digit or one seen once is white; painting all draw rows at once spares a call per cell.
    const int drawRows = completeDraws(history);
    grid.setBackground({2, kLastDigitColumns, kFirstLastDigitRow, kFirstLastDigitRow + drawRows - 1},
                       colours::kWhite);
    int row = kFirstLastDigitRow;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        grid.setNumber(1, row, record.drawNumber);
        std::array<int, 10> counts{};
        for (int position = 1; position <= kBallCount; ++position)
            ++counts[record.ball(position) % 10];
        for (int digit = 0; digit <= 9; ++digit) {
            if (counts[digit] == 0)
                continue;
            const int column = lastDigitColumn(digit);
            grid.setText(column, row, std::string(std::size_t(counts[digit]), char('0' + digit)));
            if (counts[digit] >= 2)
                grid.setBackground(GridBlock::cell(column, row), digitCountColour(counts[digit]));
        }
        ++row;
    }
}

} // namespace

ResultGrid buildLastDigitTendency(const Snapshot& snapshot) {
    ResultGrid grid = makeLastDigitFrame(snapshot.summary().latestDrawNumber);
    fill(grid, snapshot.history());
    grid.setHeadings(2, 1, 2);
    return grid;
}

} // namespace kazutama
