#pragma once

#include "tickets/PredictionTickets.h"

#include <vector>

class QWidget;

namespace kazutama {

class BackupOnFirstWrite;
class Workspace;

// 購入数字に追加...: asks for how many draws from the next one the numbers were bought, and whether the
// complete cycle rows go too, then stores them as tickets in the workspace's file. The first write of the
// program's run goes through `backups`, when given.
void addPredictionTickets(QWidget* parent, const Workspace& workspace, BackupOnFirstWrite* backups,
                          const std::vector<PredictedNumbers>& prediction,
                          const std::vector<PredictedNumbers>& cycleRows);

// The most consecutive draws one command stores a ticket for.
inline constexpr int kMostTicketDraws = 10;

} // namespace kazutama
