#include "grid/ui/ResultGridModel.h"

#include "grid/ui/QtColour.h"
#include "gui/QtText.h"

#include <QBrush>
#include <QColor>

namespace kazutama {

namespace {

Qt::Alignment toQt(HorizontalAlignment h, VerticalAlignment v) {
    Qt::Alignment a;
    switch (h) {
    case HorizontalAlignment::Left:
        a = Qt::AlignLeft;
        break;
    case HorizontalAlignment::Center:
        a = Qt::AlignHCenter;
        break;
    case HorizontalAlignment::Right:
        a = Qt::AlignRight;
        break;
    }
    switch (v) {
    case VerticalAlignment::Top:
        a |= Qt::AlignTop;
        break;
    case VerticalAlignment::Center:
        a |= Qt::AlignVCenter;
        break;
    case VerticalAlignment::Bottom:
        a |= Qt::AlignBottom;
        break;
    }
    return a;
}

} // namespace

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
    if (!index.isValid())
        return {};
    const int column = index.column() + 1, row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole: {
        const std::string_view text = m_grid.text(column, row);
        return text.empty() ? QVariant() : qs(text);
    }
    case Qt::ForegroundRole:
        if (auto colour = m_grid.foreground(column, row))
            return QBrush(qcolor(*colour));
        return {};
    case Qt::BackgroundRole:
        if (auto colour = m_grid.background(column, row))
            return QBrush(qcolor(*colour));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            toQt(m_grid.horizontalAlignment(column, row), m_grid.verticalAlignment(column, row)));
    default:
        return {};
    }
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    // Display only: the cells can be neither selected nor edited.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace kazutama
