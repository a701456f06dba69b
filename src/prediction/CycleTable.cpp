#include "prediction/CycleTable.h"

namespace kazutama {

int CycleTable::rowForGap(int gap) {
    for (int row = 0; row < kCycleRowCount; ++row)
        if (kCycleLengths[row] == gap)
            return row;
    return -1;
}

void CycleTable::record(int row, int position, int number) {
    auto& cells = m_cells[row];
    // Position 9 is never compared against: a second bonus number may repeat one shown elsewhere.
    for (int p = 1; p <= kMainCount + 1; ++p)
        if (p != position && cells[p - 1] == number)
            return;
    cells[position - 1] = number;
}

CycleRowTexts CycleTable::shownRow(int row) const {
    CycleRowTexts texts;
    for (int p = 1; p <= kCycleShownPositions; ++p) {
        const int n = cell(row, p);
        if (n != kNoNumber)
            texts[p - 1] = std::to_string(n);
    }
    return texts;
}

std::vector<int> CycleTable::shownNumbers(int row) const {
    std::vector<int> numbers;
    for (int p = 1; p <= kCycleShownPositions; ++p)
        if (cell(row, p) != kNoNumber)
            numbers.push_back(cell(row, p));
    return numbers;
}

} // namespace kazutama
