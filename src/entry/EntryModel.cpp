#include "entry/EntryModel.h"

#include "grid/Colours.h"
#include "grid/ui/QtColour.h"
#include "gui/QtText.h"
#include "store/DrawStore.h"

#include <QBrush>
#include <algorithm>
#include <map>

namespace kazutama {

namespace {

// The bonus columns' background, a cyan of their own that no analysis table uses.
constexpr Rgb kBonusBackground{197, 255, 255};

// Number cells accept digits and the decimal point; anything else would be refused by the editor anyway.
bool isNumberLike(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!c.isDigit() && c != QLatin1Char('.'))
            return false;
    return true;
}

QString changedElsewhere(int drawNumber) {
    return QStringLiteral("第%1回の当選データは、ほかのプログラムで変更されていたため書き込みませんでした。"
                          "データベースの今の内容を表示します。")
        .arg(drawNumber);
}

} // namespace

EntryModel::EntryModel(DrawStore& store, std::function<void(const QString&)> reportFailure, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_reportFailure(std::move(reportFailure)) {}

bool EntryModel::isAcceptableText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    if (!isNumberLike(t) || t.contains(QLatin1Char('.')))
        return false;
    bool ok = false;
    const int value = t.toInt(&ok);
    return ok && isValidNumber(value);
}

void EntryModel::showStored(Row& row) {
    for (int i = 0; i < kBallCount; ++i)
        row.texts[i] = row.stored[i] == kNoNumber ? QString() : QString::number(row.stored[i]);
}

bool EntryModel::reload() {
    auto history = m_store.loadHistory();
    if (!history) {
        m_reportFailure(qs(history.error().message));
        return false;
    }
    beginResetModel();
    m_rows.clear();
    for (const DrawRecord& draw : history.value()) {
        Row row{draw.drawNumber, draw.numbers, {}};
        showStored(row);
        m_rows.push_back(row);
    }
    endResetModel();
    return true;
}

int EntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EntryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant EntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Row& row = m_rows[index.row()];
    const int column = index.column();
    const bool bonus = column > kMainCount;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column == 0 ? QString::number(row.drawNumber) : row.texts[column - 1];
    case Qt::ForegroundRole:
        if (column == 0)
            return QBrush(qcolor(colours::kBlue));
        if (bonus)
            return QBrush(qcolor(colours::kRed));
        return {};
    case Qt::BackgroundRole:
        if (bonus)
            return QBrush(qcolor(kBonusBackground));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

Qt::ItemFlags EntryModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant EntryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return qs(kDrawNumberColumn);
    const std::string_view name = kNumberColumns[section - 1];
    QString heading = qs(name);
    // "ボーナス数字1" is wider than its column: two lines.
    if (section > kMainCount)
        heading.insert(4, QLatin1Char('\n'));
    return heading;
}

bool EntryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == 0 || role != Qt::EditRole)
        return false;
    std::array<QString, kBallCount> texts = m_rows[index.row()].texts;
    texts[index.column() - 1] = value.toString().trimmed();
    return showAndStore(index.row(), texts);
}

bool EntryModel::clearCells(const QModelIndexList& cells) {
    std::map<int, std::array<QString, kBallCount>> rows;
    for (const QModelIndex& cell : cells) {
        if (!cell.isValid() || cell.model() != this || cell.column() == 0)
            continue;
        rows.try_emplace(cell.row(), m_rows[cell.row()].texts).first->second[cell.column() - 1].clear();
    }
    // Row by row, as edits are stored; after a failed write the rows below keep their numbers.
    for (const auto& [row, texts] : rows)
        if (!showAndStore(row, texts))
            return false;
    return true;
}

bool EntryModel::showAndStore(int rowIndex, const std::array<QString, kBallCount>& texts) {
    Row& row = m_rows[rowIndex];
    DrawRecord draw{row.drawNumber, row.stored};
    int first = kBallCount, last = -1;
    for (int i = 0; i < kBallCount; ++i) {
        if (texts[i] == row.texts[i])
            continue;
        first = std::min(first, i);
        last = i;
        // A wrongly typed text is kept as typed so "閉じる" can point at it; the database keeps its value.
        if (isAcceptableText(texts[i]))
            draw.numbers[i] = texts[i].isEmpty() ? kNoNumber : texts[i].toInt();
    }
    if (last < 0)
        return true;
    row.texts = texts;
    emit dataChanged(index(rowIndex, first + 1), index(rowIndex, last + 1), {Qt::DisplayRole, Qt::EditRole});
    // Only the numbers that changed are written, each only over the value this grid read: another
    // program's change to the same draw is never overwritten.
    for (int i = 0; i < kBallCount; ++i) {
        if (draw.numbers[i] == row.stored[i])
            continue;
        auto written = m_store.writeNumber(row.drawNumber, i, row.stored[i], draw.numbers[i]);
        if (!written) {
            m_reportFailure(qs(written.error().message));
            refreshRow(rowIndex);
            return false;
        }
        if (*written == DrawStore::WriteOutcome::ChangedElsewhere) {
            m_reportFailure(changedElsewhere(row.drawNumber));
            refreshRow(rowIndex);
            return false;
        }
        row.stored[i] = draw.numbers[i];
    }
    return true;
}

bool EntryModel::refreshRow(int rowIndex) {
    Row& row = m_rows[rowIndex];
    // What the database holds: read afresh, or, when it cannot even be read, the last value known stored.
    auto stored = m_store.findDraw(row.drawNumber);
    if (stored && !stored->has_value()) {
        // Deleted by another program: the grid no longer shows it either.
        beginRemoveRows({}, rowIndex, rowIndex);
        m_rows.erase(m_rows.begin() + rowIndex);
        endRemoveRows();
        return true;
    }
    if (stored)
        row.stored = stored->value().numbers;
    // Cells holding a wrongly typed text keep it; the others show the database again.
    for (int i = 0; i < kBallCount; ++i)
        if (isAcceptableText(row.texts[i]))
            row.texts[i] = row.stored[i] == kNoNumber ? QString() : QString::number(row.stored[i]);
    emit dataChanged(index(rowIndex, 0), index(rowIndex, kColumnCount - 1));
    return stored.ok();
}

bool EntryModel::insertDrawAt(int rowIndex) {
    rowIndex = std::clamp(rowIndex, 0, int(m_rows.size()));
    // The number is taken inside the write, so two programs adding rows never get the same draw.
    auto next = m_store.appendEmptyDraw();
    if (!next) {
        m_reportFailure(qs(next.error().message));
        return false;
    }
    beginInsertRows({}, rowIndex, rowIndex);
    m_rows.insert(m_rows.begin() + rowIndex, Row{*next, {}, {}});
    endInsertRows();
    return true;
}

bool EntryModel::deleteDrawAt(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= int(m_rows.size()))
        return false;
    const Row& row = m_rows[rowIndex];
    // Only the draw as this grid read it: what another program stored since is never deleted unseen.
    auto deleted = m_store.deleteDraw(DrawRecord{row.drawNumber, row.stored});
    if (!deleted) {
        m_reportFailure(qs(deleted.error().message));
        return false;
    }
    if (*deleted == DrawStore::WriteOutcome::ChangedElsewhere) {
        m_reportFailure(changedElsewhere(row.drawNumber));
        refreshRow(rowIndex);
        return false;
    }
    beginRemoveRows({}, rowIndex, rowIndex);
    m_rows.erase(m_rows.begin() + rowIndex);
    endRemoveRows();
    return true;
}

QModelIndex EntryModel::firstWrongCell() const {
    for (int r = 0; r < int(m_rows.size()); ++r)
        for (int i = 0; i < kBallCount; ++i)
            if (!isAcceptableText(m_rows[r].texts[i]))
                return index(r, i + 1);
    return {};
}

} // namespace kazutama
