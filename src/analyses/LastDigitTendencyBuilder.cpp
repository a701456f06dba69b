#include "analyses/LastDigitTendencyBuilder.h"

#include "analyses/LastDigitGrid.h"
#include "grid/Colours.h"

#include <array>
#include <string>

namespace kazutama {

namespace {

Rgb digitCountColour(std::size_t count) {
    if (count >= 4)
        return colours::kPalePink;
    if (count == 3)
        return colours::kPaleGreen;
    if (count == 2)
        return colours::kPaleCyan;
    return colours::kWhite;
}

// Complete draws take consecutive rows, so skipped draws leave their empty rows above the bottom heading.
// Rows stop there: a summary of another history could count fewer rows than there are draws.
void fill(ResultGrid& grid, const DrawHistory& history, int lastDrawRow) {
    int row = kFirstLastDigitRow;
    for (const DrawRecord& record : history) {
        if (row > lastDrawRow)
            break;
        if (!record.isComplete())
            continue;
        grid.setNumber(1, row, record.drawNumber);
        std::array<std::string, 10> digitTexts;
        for (int position = 1; position <= kBallCount; ++position) {
            const int digit = record.ball(position) % 10;
            digitTexts[digit] += char('0' + digit);
        }
        for (int digit = 0; digit <= 9; ++digit) {
            const int column = lastDigitColumn(digit);
            grid.setText(column, row, digitTexts[digit]);
            grid.setBackground(GridBlock::cell(column, row), digitCountColour(digitTexts[digit].size()));
        }
        ++row;
    }
}

} // namespace

ResultGrid buildLastDigitTendency(const DrawHistory& history, const StartupSummary& summary) {
    ResultGrid grid = makeLastDigitGrid(summary.latestDrawNumber);
    fill(grid, history, summary.latestDrawNumber + kFirstLastDigitRow - 1);
    return grid;
}

} // namespace kazutama
