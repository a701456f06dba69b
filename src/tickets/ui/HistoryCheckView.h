#pragma once

#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"
#include "tickets/HistoryCheck.h"

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;

namespace kazutama {

class ResultGridView;
class Workspace;

// 過去の全当選と照合: seven numbers against every past draw, each prize tier and number of main hits beside
// what a random ticket gets from as many draws, and the draws of the numbers' best result.
class HistoryCheckView : public ChildView {
    Q_OBJECT
public:
    enum Table { Tiers, Hits, Best, kTableCount };

    HistoryCheckView(ViewGuard& guard, const Workspace& workspace, QWidget* parent = nullptr);

    // Puts the numbers into the field and checks them, as typing them and pressing "照合" does: for a
    // window that holds tickets. False (and the message shown) where they are not seven distinct numbers
    // from 1 to 37.
    bool checkNumbers(const std::vector<int>& numbers);

    QLineEdit* numbersField() const { return m_numbers; }
    ResultGridView* grid(int table) const { return m_gridViews[std::size_t(table)]; }
    // The line under the input: the result, or what is wrong with the numbers typed.
    QString resultText() const;
    bool hasResult() const { return m_check.has_value(); }
    // Every table (or only table `only`), as they print and save.
    TableDocument document(int only = -1) const;
    void print() override;

public slots:
    // "照合": the numbers typed, checked and compared with every draw.
    bool check();

protected:
    ViewGeometry geometryInTwips() const override { return {600, 600, 10800, 9300}; }
    void build() override;

private:
    ResultGridView* createGrid(Table table);
    void showGrids();
    bool showError(const QString& message);

    const Workspace& m_workspace;
    std::optional<HistoryCheck> m_check;
    std::array<ResultGridView*, kTableCount> m_gridViews{};
    QLineEdit* m_numbers;
    QLabel* m_result;
};

} // namespace kazutama
