#pragma once

#include "grid/ResultGrid.h"

#include <QAbstractTableModel>

namespace kazutama {

// Holds the ResultGrid a ResultGridView shows. The view paints from the grid itself, so the model serves
// only the texts (DisplayRole), which screen readers and keyboard search read. Model row r and column c are
// the grid's row r + 1 and column c + 1.
class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultGridModel(QObject* parent = nullptr);

    void setGrid(ResultGrid grid);
    const ResultGrid& grid() const { return m_grid; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    ResultGrid m_grid;
};

} // namespace kazutama
