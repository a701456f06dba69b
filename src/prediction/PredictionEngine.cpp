#include "prediction/PredictionEngine.h"

#include "prediction/DrawWindow.h"
#include "prediction/PredictionShift.h"

#include <algorithm>

namespace kazutama {

void PredictionEngine::fillTables(const Snapshot& snapshot) {
    begin(snapshot.history());
    for (const DrawRecord& record : snapshot.history())
        add(record);
    m_latestDrawNumber = snapshot.summary().latestDrawNumber;
}

void PredictionEngine::begin(const DrawHistory& history) {
    m_cycleTable.clear();
    int highest = 0;
    for (const DrawRecord& record : history)
        if (record.isComplete())
            highest = record.drawNumber;
    m_drawTable.reset(highest);
    m_lastMainAppearance = {};
}

bool PredictionEngine::add(const DrawRecord& record) {
    if (!record.isComplete())
        return false;
    const int d = record.drawNumber;
    m_drawTable.store(record);
    // The nearest earlier draw holding a number among its main numbers is the last usable draw so far that
    // held it: draws come in ascending order and a draw's own row is never searched, so the entries are
    // updated only after all nine balls of the draw have been looked up.
    for (int k = 1; k <= kBallCount; ++k) {
        const int n = record.ball(k);
        const int earlier = m_lastMainAppearance[n];
        if (earlier == 0)
            continue;
        const int row = CycleTable::rowForGap(d - earlier);
        if (row >= 0)
            m_cycleTable.record(row, k, n);
    }
    for (int k = 1; k <= kMainCount; ++k)
        m_lastMainAppearance[record.ball(k)] = d;
    return true;
}

std::array<CycleRowTexts, kCycleRowCount> PredictionEngine::cycleRows() const {
    std::array<CycleRowTexts, kCycleRowCount> rows;
    for (int row = 0; row < kCycleRowCount; ++row)
        rows[row] = m_cycleTable.shownRow(row);
    return rows;
}

std::array<int, kEliminationStepCount> PredictionEngine::eliminationList(int shift) const {
    std::array<int, kEliminationStepCount> list{};
    for (int e = 0; e < kEliminationStepCount; ++e) {
        const EliminationStep& step = kEliminationRecipe[e];
        const int d = m_latestDrawNumber - step.back - shift;
        list[e] = wrapNumber(m_drawTable.at(d, step.position) + step.add);
    }
    return list;
}

std::vector<int> PredictionEngine::elimination(int shift) const {
    std::vector<int> distinct;
    for (int n : eliminationList(shift))
        if (std::find(distinct.begin(), distinct.end(), n) == distinct.end())
            distinct.push_back(n);
    return distinct;
}

std::vector<int> PredictionEngine::multiplePrediction(int shift) const {
    return DrawWindow(m_latestDrawNumber, shift).candidates(m_drawTable, kMultiplePredictionSize);
}

std::vector<int> PredictionEngine::oneShotPrediction(int shift) const {
    return DrawWindow(m_latestDrawNumber, shift).candidates(m_drawTable, kOneShotPredictionSize);
}

PredictionRun PredictionEngine::run(const AnalysisOptions& options) const {
    PredictionRun result;
    result.cycleRows = cycleRows();
    result.shift = computePredictionShift(options);
    result.elimination = elimination(result.shift);
    result.multiple = multiplePrediction(result.shift);
    result.oneShot = oneShotPrediction(result.shift);
    return result;
}

} // namespace kazutama
