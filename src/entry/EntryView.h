#pragma once

#include "gui/ChildView.h"
#include "store/ConnectionString.h"
#include "store/DrawStore.h"

#include <optional>

class QMenu;
class QTableView;

namespace kazutama {

class BackupOnFirstWrite;
class EntryCsv;
class EntryModel;

// 当選データ入力: the grid of stored draws, edited in place and written straight to the database through
// the view's own connection. "閉じる" refuses to close while a number cell holds something that is not a
// number from 1 to 37. Its store's first write of the program's run goes through `backups`, when given.
class EntryView : public ChildView {
    Q_OBJECT
public:
    EntryView(ViewGuard& guard, const ConnectionString& connection, BackupOnFirstWrite* backups = nullptr,
              QWidget* parent = nullptr);
    ~EntryView() override;

    QTableView* grid() const { return m_grid; }
    EntryModel* model() const { return m_model; }
    QMenu* editMenu() const { return m_editMenu; }

    // The commands of the 編集 and CSV menus.
    void addLine();
    void deleteLine();
    void importCsv();
    void exportCsv();
    // "閉じる": validation, then close.
    void validateAndClose();
    // Whether the view has written the database since it opened.
    bool changedDatabase() const { return m_store && m_store->database().commitCount() > 0; }

signals:
    // The view has closed after it wrote the database: the history everything else shows is out of date.
    void closedAfterChanges();

protected:
    ViewGeometry geometryInTwips() const override { return {0, 0, 9000, 13450}; }
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showRowMenu(const QPoint& position);
    void reportFailure(const QString& message);
    EntryCsv csv();

    ConnectionString m_connection;
    BackupOnFirstWrite* m_backups;
    std::optional<DrawStore> m_store;
    EntryModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QMenu* m_editMenu = nullptr;
};

} // namespace kazutama
