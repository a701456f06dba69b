#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace kazutama::bench {

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
