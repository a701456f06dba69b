#pragma once

#include "store/DrawRecord.h"

#include <array>
#include <string>
#include <vector>

namespace kazutama {

// Which columns of a CSV heading line hold the draw number, the date and the nine numbers, recognised by
// the headings other tools use. Column indexes are 0-based; -1 where the file has no such column.
struct ImportColumns {
    int draw = -1;
    int date = -1;
    std::array<int, kMainCount> mains{-1, -1, -1, -1, -1, -1, -1};
    int mainsTogether = -1; // one field holding the seven main numbers, blank-separated
    std::array<int, 2> bonuses{-1, -1};
    int bonusesTogether = -1;

    static ImportColumns recognise(const std::vector<std::string>& headings);

    bool complete() const { return mainsFound() && bonusesFound(); }
    bool mainsFound() const;
    bool bonusesFound() const;
    // Without a draw-number column the draws are numbered in date order, so the date is needed too.
    bool numberedByDate() const { return draw < 0 && date >= 0; }
    // The highest column index a data line must reach.
    int lastNeeded() const;
    int usedCount() const;

    // For the rejection message: what was expected, and which of it is missing.
    std::string whatIsMissing() const;
    // For the preview: the headings recognised.
    std::string describe(const std::vector<std::string>& headings) const;
};

} // namespace kazutama
