#pragma once

#include "grid/ui/TableDocument.h"
#include "gui/ChildView.h"
#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "store/Ticket.h"
#include "tickets/TicketRules.h"

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kazutama {

class BackupOnFirstWrite;
class ResultGridView;
class Workspace;

// 購入数字の照合: the numbers the player bought, added, changed and deleted in the history file, and for the
// ticket chosen each draw of its range: the draw's numbers with the ticket's hits, and the prize.
class TicketView : public ChildView {
    Q_OBJECT
public:
    enum Table { List, Tiers, Draws, kTableCount };

    TicketView(ViewGuard& guard, const Workspace& workspace, BackupOnFirstWrite* backups,
               QWidget* parent = nullptr);

    ResultGridView* grid(int table) const { return m_grids[std::size_t(table)]; }
    QLineEdit* numbersField() const { return m_numbers; }
    QSpinBox* firstDrawField() const { return m_firstDraw; }
    QSpinBox* lastDrawField() const { return m_lastDraw; }
    QLineEdit* memoField() const { return m_memo; }
    // The line under the fields: what is wrong with the ticket typed, or what was done.
    QString messageText() const;
    const std::vector<Ticket>& tickets() const { return m_tickets; }
    // The ticket whose draws the window shows, by its index in tickets(); -1 for none.
    int selectedTicket() const { return m_selected; }
    void selectTicket(int index);
    TableDocument document(int only = -1) const;
    void print() override;

public slots:
    // "追加", "変更", "削除": the fields as a new ticket, as the selected ticket, or the selected ticket
    // away.
    void addTicket();
    void changeTicket();
    void deleteTicket();
    // Reads the tickets again from the file (another window may have added some).
    void reloadTickets();

signals:
    // "過去の全当選と照合": the selected ticket's numbers against every past draw.
    void historyCheckRequested(const std::vector<int>& numbers);

protected:
    ViewGeometry geometryInTwips() const override { return {300, 300, 13500, 12000}; }
    void build() override;

private:
    ResultGridView* createGrid(Table table);
    void showTickets();
    void showSelected();
    // The fields as a ticket, checked; the message shown where they are not one.
    std::optional<Ticket> typedTicket();
    void showMessage(const QString& text, bool error);
    // After a write: the outcome told, the list read again and `select` (an id) chosen.
    void afterWrite(const Result<DrawStore::WriteOutcome>& written, int select, const QString& done);

    const Workspace& m_workspace;
    BackupOnFirstWrite* m_backups;
    std::optional<DrawStore> m_store;
    std::vector<Ticket> m_tickets;
    std::vector<TicketResult> m_results;
    int m_selected = -1;
    std::array<ResultGridView*, kTableCount> m_grids{};
    QLineEdit* m_numbers;
    QSpinBox* m_firstDraw;
    QSpinBox* m_lastDraw;
    QLineEdit* m_memo;
    QLabel* m_message;
    QLabel* m_summary;
    QPushButton* m_add;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_check;
};

} // namespace kazutama
