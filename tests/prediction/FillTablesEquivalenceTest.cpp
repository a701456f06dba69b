// Fill tables looks up each ball's previous main appearance in constant time. This checks it against
// the literal backward search over the draw table, on histories with gaps and incomplete records.

#include "prediction/PredictionEngine.h"
#include "store/StartupSummary.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace kazutama {
namespace {

struct NaiveTables {
    std::vector<std::array<int, kBallCount + 1>> drawTable; // [d][p], p = 1..9
    CycleTable cycleTable;
};

NaiveTables naiveFill(const DrawHistory& history) {
    NaiveTables tables;
    int highest = 0;
    for (const DrawRecord& record : history)
        highest = std::max(highest, record.drawNumber);
    tables.drawTable.assign(highest + 1, {});

    for (const DrawRecord& record : history) {
        if (!record.isComplete())
            continue;
        const int d = record.drawNumber;
        for (int p = 1; p <= kBallCount; ++p)
            tables.drawTable[d][p] = record.ball(p);
        for (int k = 1; k <= kBallCount; ++k) {
            const int n = record.ball(k);
            for (int i = d - 1; i >= 1; --i) {
                const auto& row = tables.drawTable[i];
                if (std::find(row.begin() + 1, row.begin() + 1 + kMainCount, n) ==
                    row.begin() + 1 + kMainCount)
                    continue;
                const int cycleRow = CycleTable::rowForGap(d - i);
                if (cycleRow >= 0)
                    tables.cycleTable.record(cycleRow, k, n);
                break;
            }
        }
    }
    return tables;
}

// Draw numbers with gaps, some incomplete records, and now and then a number repeated within a draw.
std::vector<DrawRecord> makeRaggedRecords(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> number(kLowestNumber, kHighestNumber);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> ball(0, kBallCount - 1);
    std::vector<int> pool(kHighestNumber);
    std::iota(pool.begin(), pool.end(), kLowestNumber);

    std::vector<DrawRecord> records;
    int d = 0;
    while (static_cast<int>(records.size()) < count) {
        d += percent(rng) < 10 ? 1 + percent(rng) % 6 : 1;
        DrawRecord record{d, {}};
        if (percent(rng) < 15) {
            for (int& n : record.numbers)
                n = number(rng);
        } else {
            std::shuffle(pool.begin(), pool.end(), rng);
            std::copy_n(pool.begin(), kBallCount, record.numbers.begin());
        }
        if (percent(rng) < 8)
            record.numbers[ball(rng)] = kNoNumber;
        records.push_back(record);
    }
    return records;
}

void expectSameTables(const PredictionEngine& engine, const NaiveTables& naive, const std::string& where) {
    ASSERT_EQ(engine.cycleTable(), naive.cycleTable) << where;
    const int rows = static_cast<int>(naive.drawTable.size());
    for (int d = -20; d < rows + 3; ++d)
        for (int p = 1; p <= kBallCount; ++p) {
            const int expected = d >= 0 && d < rows ? naive.drawTable[d][p] : 0;
            ASSERT_EQ(engine.drawTable().at(d, p), expected) << where << " draw " << d << " position " << p;
        }
}

TEST(FillTablesEquivalenceTest, MatchesTheBackwardSearchAfterEveryDraw) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        const std::vector<DrawRecord> records = makeRaggedRecords(260, seed);
        PredictionEngine engine;
        for (std::size_t length = 0; length <= records.size(); ++length) {
            const DrawHistory prefix(std::vector<DrawRecord>(records.begin(), records.begin() + length));
            engine.fillTables(prefix, computeStartupSummary(prefix).latestDrawNumber);
            expectSameTables(engine, naiveFill(prefix),
                             "seed " + std::to_string(seed) + " length " + std::to_string(length));
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(FillTablesEquivalenceTest, MatchesTheBackwardSearchOnALongHistory) {
    const DrawHistory history(makeRaggedRecords(3000, 99));
    PredictionEngine engine;
    engine.fillTables(history, computeStartupSummary(history).latestDrawNumber);
    const NaiveTables naive = naiveFill(history);
    expectSameTables(engine, naive, "3000 draws");
    // The random draws must exercise every cycle length, or the comparison proves little.
    for (int row = 0; row < kCycleRowCount; ++row)
        EXPECT_NE(naive.cycleTable.shownRow(row), CycleRowTexts{}) << row;
}

} // namespace
} // namespace kazutama
