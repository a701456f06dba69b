#pragma once

#include "grid/ResultGrid.h"
#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"
#include "prediction/Backtest.h"
#include "settings/AnalysisOptions.h"

#include <array>
#include <memory>

class QLabel;
class QVBoxLayout;

namespace kazutama {

class ResultGridView;
class Workspace;

// 予想検証: how each prediction method would have done on every past draw with the options the prediction
// view has in force when the window opens, beside what a random pick is expected to do; in tables and
// charts.
class BacktestView : public ChildView {
    Q_OBJECT
public:
    enum Table { Summary, Draws, Sweep, kTableCount };

    BacktestView(ViewGuard& guard, const AnalysisOptions& options, const Workspace& workspace,
                 QWidget* parent = nullptr);

    ResultGridView* grid(int table) const { return m_gridViews[std::size_t(table)]; }
    // Every table and chart (or only table `only`, with the charts that belong to it), as they print.
    TableDocument document(int only = -1) const;
    void print() override;

signals:
    // "購入数字に追加...": the prediction these tests stand for, the prediction view's, kept as tickets.
    void ticketsRequested();

protected:
    ViewGeometry geometryInTwips() const override { return {300, 300, 15900, 12900}; }
    void build() override;

private:
    QWidget* createTablePage(Table table, QWidget* above = nullptr);
    QWidget* createLegend();
    QString settingText() const;

    const AnalysisOptions& m_options; // the program's; read when the window opens
    const Workspace& m_workspace;
    // Shared with the documents, whose charts are painted after the window may have gone.
    std::shared_ptr<const BacktestResult> m_result;
    std::array<ResultGrid, kTableCount> m_grids;
    std::array<ResultGridView*, kTableCount> m_gridViews{};
    QLabel* m_setting = nullptr;
    std::array<QVBoxLayout*, 2> m_chartPages{};
};

} // namespace kazutama
