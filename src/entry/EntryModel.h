#pragma once

#include "common/Result.h"
#include "store/DrawRecord.h"

#include <QAbstractTableModel>
#include <array>
#include <functional>
#include <vector>

namespace kazutama {

class DrawStore;

// The winning-data grid bound to the database: one row per stored draw in draw-number order, the draw
// number and the nine numbers. An edit is written through to the database as soon as it is committed
// (when the user leaves the cell), each in its own transaction. A number that cannot be stored (0, above
// 37, a decimal) stays in the grid as typed, so "閉じる" can point at it, but the database keeps the last
// valid value.
class EntryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 1 + kBallCount;

    // `reportFailure` shows a failed write to the user.
    EntryModel(DrawStore& store, std::function<void(const QString&)> reportFailure,
               QObject* parent = nullptr);

    // Reads every draw from the database again; false (already reported) when it cannot.
    bool reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Empties the number cells among `cells` (the draw-number column stays) and stores each row's draw as an
    // edit is stored. False, reported, when a row cannot be written: it shows the database again, and the
    // rows after it are left as they were.
    bool clearCells(const QModelIndexList& cells);

    // Inserts an empty row at `row` for a new draw numbered one above the highest stored draw number, and
    // stores that draw (without numbers) at once. False, reported, when it cannot be stored.
    bool insertDrawAt(int row);
    // Deletes the row's draw from the database and the row from the grid, but only while the database holds
    // the draw as the grid shows it. False, reported, otherwise: the row shows the database again (or goes,
    // when the draw is gone).
    bool deleteDrawAt(int row);

    // The first cell, in row then column order, whose text is not a storable number (or empty).
    QModelIndex firstWrongCell() const;
    int drawNumberAt(int row) const { return m_rows[row].drawNumber; }

    // An empty text or a whole number 1..37.
    static bool isAcceptableText(const QString& text);

private:
    struct Row {
        int drawNumber = 0;
        std::array<int, kBallCount> stored{};  // what the database holds
        std::array<QString, kBallCount> texts; // what the grid shows
    };

    void showStored(Row& row);
    // Shows `texts` in the row and stores those of them that are numbers or empty.
    bool showAndStore(int row, const std::array<QString, kBallCount>& texts);
    bool refreshRow(int row);

    DrawStore& m_store;
    std::function<void(const QString&)> m_reportFailure;
    std::vector<Row> m_rows;
};

} // namespace kazutama
