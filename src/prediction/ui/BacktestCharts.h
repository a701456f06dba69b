#pragma once

#include "prediction/Backtest.h"
#include "prediction/BacktestGrids.h"

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QChart;
class QPainter;
class QWidget;

namespace kazutama {

// One method's draws by main numbers hit, as bars beside the exact expectation for a random pick of the
// same size.
QChart* hitDistributionChart(const MethodSummary& summary, const QString& title);

// One method's main hits added up over the draws, as a line beside the expectation's line.
QChart* cumulativeHitsChart(const std::vector<CumulativeHits>& points, const QString& title);

// Charts side by side, `columns` to a row; a note, if given, fills the first free cell.
using ChartMaker = std::function<QChart*(int index)>;
struct ChartGrid {
    int count = 0;
    int columns = 1;
    ChartMaker make;
    QString note;
};
QWidget* chartGridWidget(const ChartGrid& charts, QWidget* parent);
// The same charts painted into the rectangle (0, 0, size), each laid out afresh at its share of the size.
void paintChartGrid(QPainter& painter, QSize size, const ChartGrid& charts);

} // namespace kazutama
