#include "analyses/LastDigitStreakBuilder.h"

#include "analyses/LastDigitFrame.h"
#include "grid/Colours.h"

#include <array>
#include <vector>

namespace kazutama {

namespace {

// Per last digit, the draw number of every complete draw once for each of its numbers ending in that digit.
using Occurrences = std::array<std::vector<int>, 10>;

Occurrences collect(const DrawHistory& history) {
    Occurrences occurrences;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        for (int position = 1; position <= kBallCount; ++position)
            occurrences[record.ball(position) % 10].push_back(record.drawNumber);
    }
    return occurrences;
}

Rgb streakColour(int count) {
    if (count >= 13)
        return colours::kPalePink;
    if (count >= 10)
        return colours::kPaleMagenta;
    if (count >= 7)
        return colours::kPaleYellow;
    if (count >= 4)
        return colours::kPaleGreen;
    return colours::kPaleCyan;
}

void writeDrawNumbers(ResultGrid& grid, int latestDrawNumber) {
    for (int drawNumber = 1; drawNumber <= latestDrawNumber; ++drawNumber)
        grid.setNumber(1, drawNumber + kFirstLastDigitRow - 1, drawNumber);
}

// Every entry is walked, so a digit seen twice in many draws still has its late streaks shown.
void markStreaks(ResultGrid& grid, const Occurrences& occurrences) {
    for (int digit = 0; digit <= 9; ++digit) {
        const std::vector<int>& draws = occurrences[digit];
        int count = 0;
        for (std::size_t i = 1; i < draws.size(); ++i) {
            if (draws[i - 1] + 1 < draws[i]) {
                count = 0;
                continue;
            }
            ++count;
            const int column = lastDigitColumn(digit);
            const int row = draws[i] + kFirstLastDigitRow - 1;
            grid.setNumber(column, row, count);
            grid.setBorders(GridBlock::cell(column, row), BorderMode::Bottom);
            grid.setBackground(GridBlock::cell(column, row), streakColour(count));
        }
    }
}

} // namespace

ResultGrid buildLastDigitStreak(const Snapshot& snapshot) {
    const Occurrences occurrences = collect(snapshot.history());
    ResultGrid grid = makeLastDigitFrame(snapshot.summary().latestDrawNumber);
    writeDrawNumbers(grid, snapshot.summary().latestDrawNumber);
    markStreaks(grid, occurrences);
    grid.setHeadings(2, 1, 2);
    return grid;
}

} // namespace kazutama
