#pragma once

#include "store/DrawRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

inline constexpr int kCycleRowCount = 4;
inline constexpr std::array<int, kCycleRowCount> kCycleLengths = {7, 9, 11, 12};
inline constexpr std::array<std::string_view, kCycleRowCount> kCycleLabels = {" 7回周期法", " 9回周期法",
                                                                              "11回周期法", "12回周期法"};
// Positions 8 and 9 take part in the recording rule but are never shown.
inline constexpr int kCycleShownPositions = kMainCount;

using CycleRowTexts = std::array<std::string, kCycleShownPositions>;

// Per cycle length, the number at each ball position of the latest draw in which that ball's number came
// back after exactly that many draws. A cell holds 0 while empty.
class CycleTable {
public:
    // The row of a gap, or -1 for a gap that is no cycle length.
    static int rowForGap(int gap);

    void clear() { m_cells = {}; }
    // Sets cell (row, position) to number unless the row already holds it at another of positions 1..8.
    void record(int row, int position, int number);

    int cell(int row, int position) const { return m_cells[row][position - 1]; }
    // Positions 1..7 as texts, "" for an empty cell.
    CycleRowTexts shownRow(int row) const;
    // The numbers of positions 1..7 that are not empty, in position order.
    std::vector<int> shownNumbers(int row) const;

    bool operator==(const CycleTable&) const = default;

private:
    std::array<std::array<int, kBallCount>, kCycleRowCount> m_cells{};
};

} // namespace kazutama
