#pragma once

#include "common/Result.h"
#include "settings/AnalysisOptions.h"
#include "store/Snapshot.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace kazutama {

// The filters of the combination generator, in the order they are listed everywhere (options, JSON, tests).
enum class FilterKind {
    Include,
    Exclude,
    Sum,
    Odd,
    Low,
    Consecutive,
    Stepping,
    Previous,
    SameLastDigitMax,
    PastMatchMax,
    Pool,
};
inline constexpr int kFilterKindCount = 11;
inline constexpr std::array<std::string_view, kFilterKindCount> kFilterNames = {
    "include",  "exclude",          "sum",          "odd", "low", "consecutive", "stepping",
    "previous", "sameLastDigitMax", "pastMatchMax", "pool"};

// Low numbers, as the low/high pattern view counts them.
inline constexpr int kHighestLowNumber = 18;

// An inclusive range of a count or a sum.
struct CountRange {
    int low = 0;
    int high = 0;
    bool holds(int value) const { return value >= low && value <= high; }
};

// What a range filter measures, and the values it can take at all.
struct RangeFilter {
    FilterKind kind;
    std::string_view label; // the Japanese name a message gives it
    int least;
    int most;
};
inline constexpr std::array<RangeFilter, 6> kRangeFilters = {
    RangeFilter{FilterKind::Sum, "数字合計", 28, 238},
    RangeFilter{FilterKind::Odd, "奇数の個数", 0, 7},
    RangeFilter{FilterKind::Low, "低数字の個数", 0, 7},
    RangeFilter{FilterKind::Consecutive, "連番の組数", 0, 6},
    RangeFilter{FilterKind::Stepping, "飛び石の組数", 0, 6},
    RangeFilter{FilterKind::Previous, "引っ張りの個数", 0, 7},
};

// The prediction pools a generator can be limited to.
enum class PoolKind { Elimination, Multiple, Cycle7, Cycle9, Cycle11, Cycle12 };
inline constexpr std::array<std::string_view, 6> kPoolNames = {"elimination", "multiple", "cycle7",
                                                               "cycle9",      "cycle11",  "cycle12"};

// The filters a user chose; an empty one lets everything pass. Built only through the checks below, so every
// number is 1..37 and every range lies within what its count can be.
struct CombinationFilters {
    std::vector<int> include; // ascending, distinct
    std::vector<int> exclude;
    std::array<std::optional<CountRange>, kRangeFilters.size()> ranges; // in the order of kRangeFilters
    std::optional<int> sameLastDigitMax;                                // 1..7
    std::optional<int> pastMatchMax;                                    // 0..7
    std::optional<PoolKind> poolKind;
    std::vector<int> pool; // the pool's numbers, ascending, when poolKind is set

    bool given(FilterKind kind) const;
    const std::optional<CountRange>& range(FilterKind kind) const;
    std::optional<CountRange>& range(FilterKind kind);
};

// "A-B" or "A" (A to A) for the range filter `kind`, refused in Japanese when it is no range or leaves what
// the count can be.
Result<CountRange> rangeFromText(FilterKind kind, std::string_view text);
// A single bound: --same-last-digit-max (1..7) or --past-match-max (0..7).
Result<int> boundFromText(FilterKind kind, std::string_view text);
Result<PoolKind> poolFromText(std::string_view text);

// The pool's numbers for the next draw, as the prediction view shows them with `options`, ascending.
std::vector<int> predictionPool(PoolKind kind, const Snapshot& snapshot, const AnalysisOptions& options);

} // namespace kazutama
