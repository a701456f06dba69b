// Times Fill tables and one prediction run on random histories of growing length.

#include "prediction/PredictionEngine.h"
#include "store/StartupSummary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>

namespace {

using namespace kazutama;
using Clock = std::chrono::steady_clock;

DrawHistory randomHistory(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<int> pool(kHighestNumber);
    std::iota(pool.begin(), pool.end(), kLowestNumber);
    std::vector<DrawRecord> records;
    records.reserve(count);
    for (int d = 1; d <= count; ++d) {
        std::shuffle(pool.begin(), pool.end(), rng);
        DrawRecord record{d, {}};
        std::copy_n(pool.begin(), kBallCount, record.numbers.begin());
        std::sort(record.numbers.begin(), record.numbers.begin() + kMainCount);
        records.push_back(record);
    }
    return DrawHistory(std::move(records));
}

template <typename Step> double medianMicroseconds(int repetitions, Step step) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    constexpr int kRepetitions = 15;
    AnalysisOptions options;
    options[1] = true; // a shift, as after the most common option click

    std::printf("%8s %16s %20s\n", "draws", "fill tables (us)", "prediction run (us)");
    for (int draws : {650, 5000, 32000}) {
        const DrawHistory history = randomHistory(draws, 2024);
        const int latest = computeStartupSummary(history).latestDrawNumber;
        PredictionEngine engine;
        const double fill = medianMicroseconds(kRepetitions, [&] { engine.fillTables(history, latest); });
        std::size_t sink = 0;
        const double run =
            medianMicroseconds(kRepetitions, [&] { sink += engine.run(options).multiple.size(); });
        std::printf("%8d %16.1f %20.2f\n", draws, fill, run);
        if (sink == 0)
            std::printf("(no candidates)\n");
    }
    return 0;
}
