#pragma once

#include "grid/ResultGrid.h"
#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"
#include "tickets/NumberSearch.h"

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kazutama {

class ResultGridView;
class Workspace;

// 数字検索: the draws that hold every one of the numbers typed, beside how many chance alone gives.
class NumberSearchView : public ChildView {
    Q_OBJECT
public:
    NumberSearchView(ViewGuard& guard, const Workspace& workspace, QWidget* parent = nullptr);

    QLineEdit* numbersField() const { return m_numbers; }
    ResultGridView* grid() const { return m_grid; }
    // The line under the input: the result, or what is wrong with the numbers typed.
    QString resultText() const;
    bool hasResult() const { return m_search.has_value(); }
    // The search as it prints and saves; with no search done, the empty table alone.
    TableDocument document() const;
    void print() override;

public slots:
    // "検索": the numbers typed, checked and looked for.
    void search();

protected:
    ViewGeometry geometryInTwips() const override { return {450, 450, 9000, 9000}; }
    void build() override;

private:
    void showGrid(ResultGrid grid);
    void showError(const QString& message);

    const Workspace& m_workspace;
    std::optional<NumberSearch> m_search;
    QLineEdit* m_numbers;
    QCheckBox* m_withBonus;
    QLabel* m_result;
    ResultGridView* m_grid;
};

} // namespace kazutama
