#include "store/StartupSummary.h"

#include "store/Snapshot.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <type_traits>

namespace kazutama {
namespace {

using test::makeHistory;

// Only historyFromStoredRows makes a non-empty history, and a snapshot's summary is never another's.
static_assert(!std::is_constructible_v<DrawHistory, std::vector<DrawRecord>>);
static_assert(!std::is_constructible_v<Snapshot, DrawHistory, StartupSummary>);

// Five draws whose 45 balls run through 1..37 and on: 1..8 twice, every other number once.
DrawHistory everyNumberDrawn() {
    std::vector<DrawRecord> records;
    for (int d = 0; d < 5; ++d) {
        DrawRecord draw{d + 1, {}};
        for (int k = 0; k < kBallCount; ++k)
            draw.numbers[k] = (d * kBallCount + k) % kHighestNumber + 1;
        records.push_back(draw);
    }
    return test::historyOf(records);
}

TEST(StartupSummaryTest, WorkedExamples) {
    const std::string all =
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,"
        "33,34,35,36,37";
    struct Case {
        const char* name;
        DrawHistory history;
        std::array<int, 3> latestMaxAndGroupRows; // LatestDrawNumber, MaxCount, GroupRowCount
        std::vector<std::string> countGroups;
        std::map<int, int> numberCounts; // some numbers' counts
    };
    const Case cases[] = {
        {"empty history: the initial values", DrawHistory(), {0, 0, 0}, {""}, {{1, 0}, {37, 0}}},
        {"only incomplete draws: every number at count 0",
         makeHistory({{1, {0, 2, 3, 4, 5, 6, 7, 8, 9}}}),
         {0, 0, 2},
         {all},
         {}},
        {"an incomplete draw is not counted and never the latest",
         makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {2, {1, 2, 3, 4, 5, 6, 7, 8, 0}}}),
         {1, 1, 3},
         {"10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37",
          "1,2,3,4,5,6,7,8,9"},
         {{1, 1}, {9, 1}, {10, 0}}},
        {"bonus numbers count like main numbers",
         makeHistory({{1, {5, 10, 11, 12, 13, 14, 15, 16, 17}},
                      {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      {3, {20, 21, 22, 23, 24, 25, 26, 5, 27}}}),
         {3, 3, 4},
         {"18,19,28,29,30,31,32,33,34,35,36,37",
          "1,2,3,4,6,7,8,9,10,11,12,13,14,15,16,17,20,21,22,23,24,25,26,27", "", "5"},
         {{5, 3}, {1, 1}, {27, 1}}},
        {"equal counts share one ascending group; a count no number has stays empty",
         makeHistory({{1, {2, 9, 30, 1, 3, 4, 6, 7, 8}},
                      {2, {2, 9, 30, 10, 11, 12, 13, 14, 15}},
                      {3, {30, 9, 2, 16, 17, 18, 19, 20, 21}}}),
         {3, 3, 4},
         {"5,22,23,24,25,26,27,28,29,31,32,33,34,35,36,37", "1,3,4,6,7,8,10,11,12,13,14,15,16,17,18,19,20,21",
          "", "2,9,30"},
         {{2, 3}, {9, 3}, {30, 3}, {1, 1}}},
        {"no number at count 0 leaves group 0 empty",
         everyNumberDrawn(),
         {5, 2, 3},
         {"", "9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37",
          "1,2,3,4,5,6,7,8"},
         {{1, 2}, {8, 2}, {9, 1}, {37, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartupSummary summary = computeStartupSummary(c.history);
        EXPECT_EQ((std::array{summary.latestDrawNumber, summary.maxCount, summary.groupRowCount}),
                  c.latestMaxAndGroupRows);
        EXPECT_EQ(summary.countGroups, c.countGroups);
        for (const auto& [n, count] : c.numberCounts)
            EXPECT_EQ(summary.numberCounts[n], count) << n;
    }
}

} // namespace
} // namespace kazutama
