#include "generator/CombinationWalk.h"

#include <algorithm>
#include <bit>
#include <boost/math/distributions/binomial.hpp>
#include <cmath>

namespace kazutama {

namespace {

constexpr int kWords = int((kCombinationCount + 63) / 64);

// C(n, k) for every n and k the ranks need.
struct Binomials {
    std::array<std::array<std::int64_t, kMainCount + 2>, kHighestNumber + 2> table{};
    constexpr Binomials() {
        for (int n = 0; n <= kHighestNumber + 1; ++n) {
            table[n][0] = 1;
            for (int k = 1; k <= kMainCount + 1 && k <= n; ++k)
                table[n][k] = table[n - 1][k - 1] + (k < n ? table[n - 1][k] : 0);
        }
    }
    constexpr std::int64_t operator()(int n, int k) const { return n < 0 ? 0 : table[n][k]; }
};
constexpr Binomials kChoose;
static_assert(kChoose(kHighestNumber, kMainCount) == kCombinationCount);

std::uint64_t maskOf(const std::vector<int>& numbers) {
    std::uint64_t mask = 0;
    for (int n : numbers)
        mask |= std::uint64_t(1) << n;
    return mask;
}

std::uint64_t maskOf(const Combination& numbers) {
    std::uint64_t mask = 0;
    for (int n : numbers)
        mask |= std::uint64_t(1) << n;
    return mask;
}

void setBits(std::vector<std::uint64_t>& bits, std::int64_t from, std::int64_t count) {
    for (std::int64_t r = from; r < from + count; ++r)
        bits[std::size_t(r >> 6)] |= std::uint64_t(1) << (r & 63);
}

bool bitAt(const std::vector<std::uint64_t>& bits, std::int64_t rank) {
    return (bits[std::size_t(rank >> 6)] >> (rank & 63)) & 1;
}

// The counts of the combination chosen so far, as each number is added in ascending order.
struct Partial {
    int sum = 0, odd = 0, low = 0, consecutive = 0, stepping = 0, previous = 0;
    int included = 0, excluded = 0, outsidePool = 0, mostSharingADigit = 0;
    int last = 0; // the largest number so far, 0 before the first
};

// The filters as masks and bounds the walk reads; a filter not given lets everything pass.
class Measure {
public:
    explicit Measure(const CombinationFilters& filters)
        : m_include(maskOf(filters.include)), m_exclude(maskOf(filters.exclude)),
          m_pool(filters.poolKind ? maskOf(filters.pool) : ~std::uint64_t(0)),
          m_includeCount(int(filters.include.size())),
          m_sameLastDigitMax(filters.sameLastDigitMax.value_or(kMainCount)) {
        for (std::size_t i = 0; i < kRangeFilters.size(); ++i)
            m_ranges[i] =
                filters.ranges[i].value_or(CountRange{kRangeFilters[i].least, kRangeFilters[i].most});
    }

    // Neighbours in ascending order differing by 1 (連番) or 2 (飛び石), as the 連番飛び石 view marks them in
    // a draw stored in ascending order: 1,2,3 is two 連番 pairs, 1,3,5 two 飛び石 pairs, 1,2,4 one of each.
    Partial add(Partial p, int n, std::uint64_t previousDraw, int sharingDigit) const {
        p.sum += n;
        p.odd += n % 2;
        p.low += n <= kHighestLowNumber;
        p.consecutive += p.last != 0 && n == p.last + 1;
        p.stepping += p.last != 0 && n == p.last + 2;
        p.previous += int((previousDraw >> n) & 1);
        p.included += int((m_include >> n) & 1);
        p.excluded += int((m_exclude >> n) & 1);
        p.outsidePool += int(((m_pool >> n) & 1) ^ 1);
        p.mostSharingADigit = std::max(p.mostSharingADigit, sharingDigit);
        p.last = n;
        return p;
    }

    // Bit FilterKind k set when the combination fails filter k.
    unsigned failures(const Partial& p, bool tooCloseToAPastDraw) const {
        const auto bit = [](bool fails, FilterKind kind) { return unsigned(fails) << int(kind); };
        const int values[] = {p.sum, p.odd, p.low, p.consecutive, p.stepping, p.previous}; // as kRangeFilters
        unsigned failed = bit(p.included != m_includeCount, FilterKind::Include) |
                          bit(p.excluded != 0, FilterKind::Exclude) |
                          bit(p.mostSharingADigit > m_sameLastDigitMax, FilterKind::SameLastDigitMax) |
                          bit(tooCloseToAPastDraw, FilterKind::PastMatchMax) |
                          bit(p.outsidePool != 0, FilterKind::Pool);
        for (std::size_t i = 0; i < kRangeFilters.size(); ++i)
            failed |= bit(!m_ranges[i].holds(values[i]), kRangeFilters[i].kind);
        return failed;
    }

    unsigned failures(const Combination& combination, std::uint64_t previousDraw, bool tooClose) const {
        std::array<int, 10> digits{};
        Partial p;
        for (int n : combination)
            p = add(p, n, previousDraw, ++digits[n % 10]);
        // A stored draw may hold a mistyped number twice: it holds that number once.
        const std::uint64_t mask = maskOf(combination);
        p.included = std::popcount(mask & m_include);
        p.previous = std::popcount(mask & previousDraw);
        return failures(p, tooClose);
    }

private:
    std::uint64_t m_include, m_exclude, m_pool;
    int m_includeCount, m_sameLastDigitMax;
    std::array<CountRange, kRangeFilters.size()> m_ranges{};
};

// Every combination in lexicographic order, nested loops unrolled by depth; the counts of the numbers so far
// carried down, so each combination costs one step of the innermost loop and one histogram increment.
class Walk {
public:
    Walk(const Measure& measure, std::uint64_t previousDraw, const std::vector<std::uint64_t>& tooClose)
        : m_measure(measure), m_previous(previousDraw), m_tooClose(tooClose), m_passing(kWords) {}

    void run() { descend<0>(Partial{}, kLowestNumber); }

    std::array<std::int64_t, 1 << kFilterKindCount> histogram{}; // by failure bits
    std::vector<std::uint64_t> takePassing() { return std::move(m_passing); }

private:
    template <int Chosen> void descend(const Partial& p, int from) {
        for (int n = from; n <= kHighestNumber - (kMainCount - 1 - Chosen); ++n) {
            const Partial next = m_measure.add(p, n, m_previous, ++m_digits[n % 10]);
            if constexpr (Chosen + 1 == kMainCount) {
                const unsigned failed = m_measure.failures(next, bitAt(m_tooClose, m_rank));
                ++histogram[failed];
                if (failed == 0)
                    m_passing[std::size_t(m_rank >> 6)] |= std::uint64_t(1) << (m_rank & 63);
                ++m_rank;
            } else {
                descend<Chosen + 1>(next, n + 1);
            }
            --m_digits[n % 10];
        }
    }

    const Measure& m_measure;
    std::uint64_t m_previous;
    const std::vector<std::uint64_t>& m_tooClose;
    std::vector<std::uint64_t> m_passing;
    std::array<int, 10> m_digits{};
    std::int64_t m_rank = 0;
};

bool closerThan(std::uint64_t combination, const std::vector<std::uint64_t>& draws, int most) {
    return std::any_of(draws.begin(), draws.end(),
                       [&](std::uint64_t draw) { return std::popcount(combination & draw) > most; });
}

// The draws that hold each number.
using DrawsByNumber = std::array<std::vector<std::uint64_t>, kHighestNumber + 1>;

// Few shared numbers allowed: most combinations share too many with some draw, usually already in a prefix of
// a few numbers, and a prefix's combinations are one run of ranks, marked at once. A prefix is only tested
// against the draws holding its newest number: against the others it shares no more than its own prefix did.
void markByPrefix(std::vector<std::uint64_t>& bits, const DrawsByNumber& draws, int most, int chosen,
                  int from, std::uint64_t prefix, std::int64_t& rank) {
    for (int n = from; n <= kHighestNumber - (kMainCount - 1 - chosen); ++n) {
        const std::uint64_t mask = prefix | (std::uint64_t(1) << n);
        const std::int64_t completions = kChoose(kHighestNumber - n, kMainCount - 1 - chosen);
        if (chosen + 1 > most && closerThan(mask, draws[std::size_t(n)], most)) {
            setBits(bits, rank, completions);
            rank += completions;
        } else if (chosen + 1 == kMainCount) {
            ++rank;
        } else {
            markByPrefix(bits, draws, most, chosen + 1, n + 1, mask, rank);
        }
    }
}

// The rank of the combination whose numbers are the bits of `mask`.
std::int64_t rankOfMask(std::uint64_t mask) {
    Combination combination{};
    for (int& n : combination) {
        n = std::countr_zero(mask);
        mask &= mask - 1;
    }
    return combinationRank(combination);
}

// Many shared numbers allowed: the combinations too close to a draw are few, each K + 1 of its numbers and
// 6 - K others (K = 4: 21 × 496 a draw, some twice), enumerated as bit masks.
void markSupersets(std::vector<std::uint64_t>& bits, const std::vector<Combination>& draws, int most) {
    const int extra = kMainCount - 1 - most; // 0, 1 or 2
    for (const Combination& draw : draws) {
        // A stored draw may hold a mistyped number twice: it shares that number once.
        std::vector<int> own(draw.begin(), draw.end());
        own.erase(std::unique(own.begin(), own.end()), own.end());
        const unsigned subsets = 1u << own.size();
        for (unsigned positions = 0; positions < subsets; ++positions) {
            if (std::popcount(positions) != most + 1)
                continue;
            std::uint64_t shared = 0;
            for (std::size_t i = 0; i < own.size(); ++i)
                if ((positions >> i) & 1)
                    shared |= std::uint64_t(1) << own[i];
            std::vector<std::uint64_t> others;
            for (int n = kLowestNumber; n <= kHighestNumber; ++n)
                if (((shared >> n) & 1) == 0)
                    others.push_back(std::uint64_t(1) << n);
            const auto mark = [&](std::uint64_t mask) { setBits(bits, rankOfMask(mask), 1); };
            if (extra == 0)
                mark(shared);
            for (std::size_t a = 0; extra > 0 && a < others.size(); ++a) {
                if (extra == 1)
                    mark(shared | others[a]);
                for (std::size_t b = a + 1; extra == 2 && b < others.size(); ++b)
                    mark(shared | others[a] | others[b]);
            }
        }
    }
}

// Bit r set when the combination of rank r shares more than `most` main numbers with one of the draws.
std::vector<std::uint64_t> tooCloseBits(const std::vector<Combination>& draws, std::optional<int> most) {
    std::vector<std::uint64_t> bits(kWords);
    if (!most || *most >= kMainCount || draws.empty())
        return bits;
    if (*most >= 4) {
        markSupersets(bits, draws, *most);
    } else {
        DrawsByNumber byNumber;
        for (const Combination& draw : draws)
            for (int n : draw)
                byNumber[std::size_t(n)].push_back(maskOf(draw));
        std::int64_t rank = 0;
        markByPrefix(bits, byNumber, *most, 0, kLowestNumber, 0, rank);
    }
    return bits;
}

std::vector<Combination> completeDraws(const DrawHistory& history) {
    std::vector<Combination> draws;
    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        Combination main{};
        std::copy_n(record.numbers.begin(), kMainCount, main.begin());
        std::sort(main.begin(), main.end());
        draws.push_back(main);
    }
    return draws;
}

} // namespace

std::int64_t combinationRank(const Combination& combination) {
    std::int64_t rank = 0;
    int before = 0;
    for (int i = 1; i <= kMainCount; ++i) {
        const int n = combination[std::size_t(i - 1)];
        // The combinations whose i-th number lies between the one before it and n.
        rank += kChoose(kHighestNumber - before, kMainCount + 1 - i) -
                kChoose(kHighestNumber + 1 - n, kMainCount + 1 - i);
        before = n;
    }
    return rank;
}

Combination combinationAt(std::int64_t rank) {
    Combination combination{};
    int n = 0;
    for (int i = 1; i <= kMainCount; ++i) {
        ++n;
        while (rank >= kChoose(kHighestNumber - n, kMainCount - i)) {
            rank -= kChoose(kHighestNumber - n, kMainCount - i);
            ++n;
        }
        combination[std::size_t(i - 1)] = n;
    }
    return combination;
}

double twoSidedBinomialP(int draws, double share, int observed) {
    const double mean = draws * share;
    const double distance = std::abs(observed - mean);
    // The counts as far from the mean as the one observed; a hair of slack keeps the observed one in.
    const double slack = 1e-9 * std::max(1.0, mean);
    if (draws == 0 || share <= 0 || share >= 1)
        return distance <= slack ? 1 : 0;
    const boost::math::binomial_distribution<double> binomial(draws, share);
    double p = 0;
    const double below = std::floor(mean - distance + slack);
    if (below >= 0)
        p += boost::math::cdf(binomial, below);
    const double above = std::ceil(mean + distance - slack);
    if (above <= 0)
        p += 1;
    else if (above <= draws)
        p += boost::math::cdf(boost::math::complement(binomial, above - 1));
    return std::min(1.0, p);
}

GeneratorCounts countCombinations(const CombinationFilters& filters, const DrawHistory& history) {
    const std::vector<Combination> draws = completeDraws(history);
    const Measure measure(filters);
    const std::uint64_t newest = draws.empty() ? 0 : maskOf(draws.back());

    const std::vector<std::uint64_t> tooClose = tooCloseBits(draws, filters.pastMatchMax);
    Walk walk(measure, newest, tooClose);
    walk.run();

    // The past draws, each as it stood before its own draw.
    std::array<int, kFilterKindCount> pastPassing{};
    int pastPassingAll = 0;
    std::vector<std::uint64_t> earlier;
    for (const Combination& draw : draws) {
        const std::uint64_t mask = maskOf(draw);
        const bool tooClose = filters.pastMatchMax && closerThan(mask, earlier, *filters.pastMatchMax);
        const unsigned failed = measure.failures(draw, earlier.empty() ? 0 : earlier.back(), tooClose);
        for (int k = 0; k < kFilterKindCount; ++k)
            pastPassing[std::size_t(k)] += int(((failed >> k) & 1) == 0);
        pastPassingAll += int(failed == 0);
        earlier.push_back(mask);
    }

    GeneratorCounts counts;
    counts.pastDraws = int(draws.size());
    const auto outcome = [&](std::int64_t passing, int past) {
        return FilterOutcome{
            passing, past,
            twoSidedBinomialP(counts.pastDraws, double(passing) / double(kCombinationCount), past)};
    };
    counts.all = outcome(walk.histogram[0], pastPassingAll);
    for (int k = 0; k < kFilterKindCount; ++k) {
        if (!filters.given(FilterKind(k)))
            continue;
        std::int64_t passing = 0;
        for (std::size_t failed = 0; failed < walk.histogram.size(); ++failed)
            if (((failed >> k) & 1) == 0)
                passing += walk.histogram[failed];
        counts.filters.emplace_back(FilterKind(k), outcome(passing, pastPassing[std::size_t(k)]));
    }
    counts.passingBits = walk.takePassing();
    return counts;
}

} // namespace kazutama
