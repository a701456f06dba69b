#pragma once

#include "store/DrawRecord.h"

#include <array>
#include <string>

namespace kazutama {

// Numbers a player bought: seven distinct main numbers (ascending) for every draw from `firstDraw` to
// `lastDraw` (one draw, or a continuous purchase), with a memo of at most 100 characters.
struct Ticket {
    int id = 0; // given by the database; 0 before it is stored
    std::array<int, kMainCount> numbers{};
    int firstDraw = 0;
    int lastDraw = 0;
    std::string memo;
    bool operator==(const Ticket&) const = default;
};

} // namespace kazutama
