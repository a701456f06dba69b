#include "prediction/DrawWindow.h"

namespace kazutama {

DrawWindow::DrawWindow(int latestDrawNumber, int shift) {
    for (int m = 0; m < kWindowDrawCount; ++m)
        m_drawNumbers[m] = latestDrawNumber - 1 - shift - m;
}

std::vector<int> DrawWindow::candidates(const DrawTable& table, int limit) const {
    std::array<std::array<int, kWindowPositions>, kWindowDrawCount> cells{};
    std::array<int, kHighestNumber + 1> occurrences{};
    for (int m = 0; m < kWindowDrawCount; ++m) {
        for (int p = 1; p <= kWindowPositions; ++p) {
            const int n = table.at(m_drawNumbers[m], p);
            cells[m][p - 1] = n;
            ++occurrences[n]; // [0] counts the empty cells and is never read
        }
    }

    std::vector<int> result;
    for (int m = 0; m < kWindowDrawCount && static_cast<int>(result.size()) < limit; ++m) {
        for (int n : cells[m]) {
            if (n == kNoNumber)
                break;
            if (occurrences[n] == 1) {
                result.push_back(n);
                if (static_cast<int>(result.size()) == limit)
                    break;
            }
        }
    }
    return result;
}

} // namespace kazutama
