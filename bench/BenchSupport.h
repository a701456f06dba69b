#pragma once

#include "store/DrawHistory.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>
#include <vector>

namespace kazutama::bench {

// Draws 1..count, each with seven distinct main numbers (sorted) and two further distinct bonus numbers.
inline DrawHistory randomHistory(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<int> pool(kHighestNumber);
    std::iota(pool.begin(), pool.end(), kLowestNumber);
    std::vector<DrawRecord> records;
    records.reserve(std::size_t(count));
    for (int d = 1; d <= count; ++d) {
        std::shuffle(pool.begin(), pool.end(), rng);
        DrawRecord record{d, {}};
        std::copy_n(pool.begin(), kBallCount, record.numbers.begin());
        std::sort(record.numbers.begin(), record.numbers.begin() + kMainCount);
        records.push_back(record);
    }
    return DrawHistory(std::move(records));
}

// The median of `repetitions` timings of `step`; `prepare` runs untimed before each one.
template <typename Prepare, typename Step>
double medianMicroseconds(int repetitions, Prepare prepare, Step step) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
    return times[times.size() / 2];
}

template <typename Step> double medianMicroseconds(int repetitions, Step step) {
    return medianMicroseconds(
        repetitions, [] {}, step);
}

} // namespace kazutama::bench
