#pragma once

#include "generator/CombinationWalk.h"

#include <cstdint>
#include <vector>

namespace kazutama {

// `count` distinct combinations drawn uniformly from the passing ones (all of them when fewer pass), in
// lexicographic order. The same passing combinations and seed give the same tickets with any standard
// library:
//
//   1. The M passing combinations are numbered 0..M-1 in lexicographic order.
//   2. std::mt19937_64 is seeded with `seed` (its single-integer constructor).
//   3. below(m), a number 0..m-1: take the engine's next 64-bit output r until r < 2^64 - (2^64 mod m);
//   return
//      r mod m.
//   4. Floyd's sampling of N = min(count, M) of the M numbers: for j = M-N, …, M-1: t = below(j + 1); if t
//   was
//      taken already, take j, else take t.
//   5. The taken numbers ascending, each replaced by its passing combination.
std::vector<Combination> drawTickets(const std::vector<std::uint64_t>& passingBits, std::int64_t passing,
                                     std::int64_t count, std::uint64_t seed);

} // namespace kazutama
