#pragma once

#include "store/DrawRecord.h"

#include <array>

namespace kazutama {

// One step of the elimination method: the number at `position` of the draw `back` draws before the
// latest one (further back by the shift), plus `add`, wrapped into 1..37.
struct EliminationStep {
    int back;
    int position;
    int add;
};

inline constexpr int kEliminationStepCount = 21;

// Positions and added values repeat in each group of seven; only the draws back differ.
// clang-format off
inline constexpr std::array<EliminationStep, kEliminationStepCount> kEliminationRecipe = {{
    {4, 1, 22},  {5, 2, 16},  {5, 3, 17},  {9, 4, 24},  {9, 5, 32},  {12, 6, 1}, {12, 7, 12},
    {5, 1, 22},  {6, 2, 16},  {6, 3, 17},  {10, 4, 24}, {13, 5, 32}, {16, 6, 1}, {16, 7, 12},
    {6, 1, 22},  {7, 2, 16},  {7, 3, 17},  {11, 4, 24}, {14, 5, 32}, {17, 6, 1}, {17, 7, 12},
}};
// clang-format on

// One step back into 1..37; a table number (0..37) plus an added value (1..32) always lands there.
constexpr int wrapNumber(int v) {
    if (v >= kHighestNumber + 1)
        return v - kHighestNumber;
    if (v <= 0)
        return v + kHighestNumber;
    return v;
}

} // namespace kazutama
