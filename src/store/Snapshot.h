#pragma once

#include "store/DrawDates.h"
#include "store/DrawHistory.h"
#include "store/StartupSummary.h"

namespace kazutama {

// The history together with its own summary: what every analysis and the prediction view read. The
// summary is always worked out from the history it sits beside, so a table sized by one history is never
// filled from another.
class Snapshot {
public:
    Snapshot() = default; // the empty history
    explicit Snapshot(DrawHistory history, DrawDates dates = {})
        : m_history(std::move(history)), m_summary(computeStartupSummary(m_history)),
          m_dates(std::move(dates)) {}

    const DrawHistory& history() const { return m_history; }
    const StartupSummary& summary() const { return m_summary; }
    // The draws' dates where the imported files gave them; no analysis reads them.
    const DrawDates& dates() const { return m_dates; }

private:
    DrawHistory m_history;
    StartupSummary m_summary;
    DrawDates m_dates;
};

} // namespace kazutama
