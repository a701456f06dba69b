#include "generator/TicketDraw.h"

#include <algorithm>
#include <bit>
#include <random>
#include <unordered_set>

namespace kazutama {

namespace {

// Unbiased: outputs from the incomplete last block of m values are thrown away. std::uniform_int_distribution
// is not used because its algorithm differs between standard libraries.
std::uint64_t below(std::mt19937_64& engine, std::uint64_t m) {
    const std::uint64_t rejected = (std::uint64_t(0) - m) % m; // 2^64 mod m
    for (;;) {
        const std::uint64_t r = engine();
        if (r <= ~std::uint64_t(0) - rejected)
            return r % m;
    }
}

} // namespace

std::vector<Combination> drawTickets(const std::vector<std::uint64_t>& passingBits, std::int64_t passing,
                                     std::int64_t count, std::uint64_t seed) {
    const std::int64_t wanted = std::min(count, passing);
    std::vector<std::int64_t> taken;
    if (wanted == passing) {
        for (std::int64_t i = 0; i < passing; ++i)
            taken.push_back(i);
    } else {
        std::mt19937_64 engine(seed);
        std::unordered_set<std::int64_t> seen;
        for (std::int64_t j = passing - wanted; j < passing; ++j) {
            const auto t = std::int64_t(below(engine, std::uint64_t(j + 1)));
            const std::int64_t pick = seen.contains(t) ? j : t;
            seen.insert(pick);
            taken.push_back(pick);
        }
        std::sort(taken.begin(), taken.end());
    }

    // The i-th passing combination: the i-th set bit, found a word at a time.
    std::vector<Combination> tickets;
    std::int64_t before = 0; // set bits in the words already passed
    std::size_t word = 0;
    for (std::int64_t index : taken) {
        while (before + std::popcount(passingBits[word]) <= index)
            before += std::popcount(passingBits[word++]);
        std::uint64_t bits = passingBits[word];
        for (std::int64_t skip = index - before; skip > 0; --skip)
            bits &= bits - 1;
        tickets.push_back(combinationAt(std::int64_t(word) * 64 + std::countr_zero(bits)));
    }
    return tickets;
}

} // namespace kazutama
