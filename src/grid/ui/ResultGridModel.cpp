#include "grid/ui/ResultGridModel.h"

#include "gui/QtText.h"

namespace kazutama {

ResultGridModel::ResultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultGridModel::setGrid(ResultGrid grid) {
    beginResetModel();
    m_grid = std::move(grid);
    endResetModel();
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.rowCount();
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const std::string_view text = m_grid.text(index.column() + 1, index.row() + 1);
    return text.empty() ? QVariant() : qs(text);
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    // Display only: the cells can be selected (and copied) but not edited.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kazutama
