#pragma once

#include "prediction/CycleTable.h"
#include "prediction/DrawTable.h"
#include "prediction/EliminationRecipe.h"
#include "prediction/PredictionRun.h"
#include "settings/AnalysisOptions.h"
#include "store/Snapshot.h"

#include <array>
#include <vector>

namespace kazutama {

// Proposes numbers for the next draw from the history alone. The view fills the tables once when it
// opens, then asks for the shift-dependent results after every option change without refilling.
class PredictionEngine {
public:
    // Rebuilds both tables from scratch, so the same history always gives the same numbers. The
    // elimination method and the window count back from the summary's latest draw number.
    void fillTables(const Snapshot& snapshot);

    // The same filling draw by draw, for a walk through the history: begin() makes room for every draw of
    // `history` and empties both tables; add() stores the history's records in order (false for an
    // incomplete one, which the tables skip). After the adds up to some draw, the tables are exactly those
    // fillTables() makes of the history cut after it.
    void begin(const DrawHistory& history);
    bool add(const DrawRecord& record);
    void setLatestDrawNumber(int latestDrawNumber) { m_latestDrawNumber = latestDrawNumber; }

    std::array<CycleRowTexts, kCycleRowCount> cycleRows() const;
    // One value per recipe step, duplicates included.
    std::array<int, kEliminationStepCount> eliminationList(int shift) const;
    // The distinct values of the elimination list in first-seen order.
    std::vector<int> elimination(int shift) const;
    std::vector<int> multiplePrediction(int shift) const;
    std::vector<int> oneShotPrediction(int shift) const;

    // Cycle rows, shift, elimination, multiple and one-shot prediction, in that order.
    PredictionRun run(const AnalysisOptions& options) const;

    int latestDrawNumber() const { return m_latestDrawNumber; }
    const DrawTable& drawTable() const { return m_drawTable; }
    const CycleTable& cycleTable() const { return m_cycleTable; }

private:
    DrawTable m_drawTable;
    CycleTable m_cycleTable;
    int m_latestDrawNumber = 0;
    // The last draw that held each number among its main numbers.
    std::array<int, kHighestNumber + 1> m_lastMainAppearance{};
};

} // namespace kazutama
