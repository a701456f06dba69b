#pragma once

#include "generator/CombinationFilters.h"
#include "store/DrawHistory.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kazutama {

using Combination = std::array<int, kMainCount>; // ascending

inline constexpr std::int64_t kCombinationCount = 10'295'472; // C(37, 7)

// The rank of a combination among all of them in lexicographic order (1,2,…,7 is 0; 31,…,37 is the last),
// and the combination of a rank.
std::int64_t combinationRank(const Combination& combination);
Combination combinationAt(std::int64_t rank);

// How one filter, or all together, fared: over every combination, and over the past complete draws.
struct FilterOutcome {
    std::int64_t passing = 0; // of kCombinationCount
    int pastPassing = 0;      // of the past complete draws
    // P(|X − np| ≥ |q − np|) for X ~ Binomial(n past draws, p = passing / kCombinationCount), q =
    // pastPassing: how often chance alone puts the past count this far from its expectation.
    double p = 1;
};

struct GeneratorCounts {
    int pastDraws = 0;
    FilterOutcome all;
    std::vector<std::pair<FilterKind, FilterOutcome>> filters; // each given filter alone, in FilterKind order
    // Bit r (of word r / 64) set when the combination of rank r passes every filter.
    std::vector<std::uint64_t> passingBits;
};

// One walk over every combination for all the filters at once. `previous` is the newest complete draw of the
// history, `pastMatchMax` is against every complete draw. A past draw is measured as it was for its own
// draw: `previous` against the complete draw before it (the first draw has none and holds 0 of it),
// `pastMatchMax` against the complete draws before it (the first passes).
GeneratorCounts countCombinations(const CombinationFilters& filters, const DrawHistory& history);

// The two-sided binomial tail of FilterOutcome::p, from Boost.Math.
double twoSidedBinomialP(int draws, double share, int observed);

} // namespace kazutama
