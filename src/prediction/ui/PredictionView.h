#pragma once

#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "settings/AnalysisOptions.h"

#include <array>

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kazutama {

class BackupOnFirstWrite;
class ResultGridView;
class Workspace;

// 一発Kazutama予想: the twelve option pairs and the four prediction tables. The options belong to the
// program, not to this window, so they keep their values while the window is closed and reopened.
// "購入数字に追加..." keeps the numbers shown as tickets; its first write of the program's run goes through
// `backups`, when given.
class PredictionView : public ChildView {
    Q_OBJECT
public:
    PredictionView(ViewGuard& guard, AnalysisOptions& options, const Workspace& workspace,
                   BackupOnFirstWrite* backups = nullptr, QWidget* parent = nullptr);

    ResultGridView* grid(int index) const { return m_gridViews[index]; }
    int runCount() const { return m_runCount; }
    // True when the history holds no complete draw: the tables stay empty and a line says why.
    bool hasNothingToPredict() const { return m_nothingToPredict; }
    // The four predictions (or only grid `only`) with the options in force, as they print and save.
    TableDocument document(int only = -1) const;
    void print() override;

signals:
    // "過去の当選で検証..." was pressed: whoever hosts the windows opens 予想検証 with the options in force.
    void backtestRequested();

protected:
    ViewGeometry geometryInTwips() const override { return {0, 0, 10080, 8400}; }
    void build() override;

private:
    QWidget* createOptionsFrame();
    QWidget* createOptionPair(std::size_t index, QWidget* parent);
    QWidget* createPredictionFrame();
    void optionClicked(int index, bool reflect);
    void predictionRun();
    void addTickets();
    void updateTicketCommand();

    AnalysisOptions& m_options;
    const Workspace& m_workspace;
    BackupOnFirstWrite* m_backups;
    PredictionEngine m_engine;
    std::array<ResultGrid, kPredictionGridCount> m_grids;
    std::array<ResultGridView*, kPredictionGridCount> m_gridViews{};
    std::array<QRadioButton*, kAnalysisOptionCount> m_reflect{};
    std::array<QRadioButton*, kAnalysisOptionCount> m_ignore{};
    int m_runCount = 0;
    bool m_nothingToPredict = false;
    QLabel* m_nothingToPredictLabel = nullptr;
    PredictionRun m_run;
    QAction* m_addTickets = nullptr;
    QPushButton* m_addTicketsButton = nullptr;
};

// The four prediction tables (or only table `only`) with the options in force, as the window prints them.
TableDocument predictionDocument(const AnalysisOptions& options,
                                 const std::array<ResultGrid, kPredictionGridCount>& grids, int only = -1);

} // namespace kazutama
