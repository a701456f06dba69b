#include "tickets/ui/TicketView.h"

#include "analyses/ui/LegendWidget.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "menus/WindowNames.h"
#include "store/DrawSql.h"
#include "store/TicketStore.h"
#include "store/Workspace.h"
#include "tickets/PickedNumbers.h"
#include "tickets/SearchGrids.h"
#include "tickets/ui/NumbersLine.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace kazutama {

namespace {

const QString kDescription = QStringLiteral(
    "買った数字（購入数字）を 1 口ずつ保存し、買った回の当選番号と照らし合わせます。上の一覧で購入数字を"
    "選ぶと、その回ごとの結果が下に出ます。数字は空白か「,」で区切って 7 個入力してください。");

constexpr std::array<const char*, TicketView::kTableCount> kTableTitles = {"購入数字の一覧", "等級ごとの回数",
                                                                           "回ごとの結果"};

QSpinBox* drawField(QWidget* parent, const char* name) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(kLowestDrawNumber, kHighestDrawNumber);
    field->setPrefix(QStringLiteral("第"));
    field->setSuffix(QStringLiteral("回"));
    return field;
}

} // namespace

TicketView::TicketView(ViewGuard& guard, const Workspace& workspace, BackupOnFirstWrite* backups,
                       QWidget* parent)
    : ChildView(guard, parent), m_workspace(workspace), m_backups(backups) {
    setObjectName(qs(kTicketViewName));
    setWindowTitle(qs(kTicketViewName));

    auto* description = new WrappingLabel(kDescription, this);
    description->setObjectName("Label1");
    description->setWordWrap(true);

    m_numbers = numbersLine("3 8 14 19 25 30 36", this);
    m_firstDraw = drawField(this, "Txt開始回");
    m_lastDraw = drawField(this, "Txt終了回");
    m_memo = new QLineEdit(this);
    m_memo->setObjectName("Txtメモ");
    m_memo->setMaxLength(sql::kTicketMemoLength);
    const auto caption = [this](const char* text, QWidget* buddy) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(buddy);
        return label;
    };
    const auto button = [this](const char* text, const char* name, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_add = button("追加(&A)", "Cmd追加", &TicketView::addTicket);
    m_change = button("変更(&U)", "Cmd変更", &TicketView::changeTicket);
    m_delete = button("削除(&D)", "Cmd削除", &TicketView::deleteTicket);
    m_check = button("過去の全当選と照合(&K)", "Cmd照合", [this] {
        if (m_selected >= 0) {
            const auto& numbers = m_tickets[std::size_t(m_selected)].numbers;
            emit historyCheckRequested(std::vector<int>(numbers.begin(), numbers.end()));
        }
    });
    connect(m_numbers, &QLineEdit::returnPressed, this, &TicketView::addTicket);

    auto* form = new QGridLayout;
    form->addWidget(caption("購入数字(&N):", m_numbers), 0, 0);
    form->addWidget(m_numbers, 0, 1, 1, 3);
    form->addWidget(caption("開始回(&F):", m_firstDraw), 0, 4);
    form->addWidget(m_firstDraw, 0, 5);
    form->addWidget(caption("終了回(&L):", m_lastDraw), 0, 6);
    form->addWidget(m_lastDraw, 0, 7);
    form->addWidget(caption("メモ(&M):", m_memo), 1, 0);
    form->addWidget(m_memo, 1, 1, 1, 3);
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_add);
    actions->addWidget(m_change);
    actions->addWidget(m_delete);
    actions->addWidget(m_check);
    form->addLayout(actions, 1, 4, 1, 4);
    form->setColumnStretch(1, 1);

    m_message = new QLabel(this);
    m_message->setObjectName("Label2");
    m_message->setWordWrap(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName("Label3");
    m_summary->setWordWrap(true);
    m_summary->setStyleSheet(QStringLiteral("font-weight: bold;"));

    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("当たった数字の色 "), this));
    legend->addWidget(new LegendWidget(kHitLegend, this));
    legend->addStretch();
    // The list and the draws take the width they need and no more; a long one scrolls.
    const auto leftAligned = [](QWidget* widget) {
        auto* row = new QHBoxLayout;
        row->addWidget(widget, 1);
        row->addStretch(0);
        return row;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(description);
    layout->addLayout(leftAligned(createGrid(List)), 1);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(m_summary);
    layout->addLayout(leftAligned(createGrid(Tiers)));
    layout->addLayout(legend);
    layout->addLayout(leftAligned(createGrid(Draws)), 2);
    layout->addLayout(printAndCloseRow());

    // The row of the list's current cell is the ticket shown.
    connect(m_grids[List]->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const int index = current.row() - ticketlist::kHeadingRows;
                if (index >= 0 && index < int(m_tickets.size()) && index != m_selected)
                    selectTicket(index);
            });
}

ResultGridView* TicketView::createGrid(Table table) {
    auto* view = new ResultGridView(this);
    view->setObjectName(QStringLiteral("fpSpread1(%1)").arg(int(table)));
    if (table == Draws)
        view->setDrawNumberColumn(drawrows::kDrawColumn);
    m_grids[std::size_t(table)] = view;
    addTableCommands(view, [this, table] { return document(table); });
    return view;
}

void TicketView::build() {
    const Access access = m_workspace.isReadOnly() ? Access::ReadOnly : Access::ReadWrite;
    auto store = DrawStore::open(m_workspace.connection(), access);
    if (store) {
        m_store.emplace(std::move(store).value());
        m_store->backUpBeforeWriting(m_backups);
    } else {
        showMessage(qs(store.error().message), true);
    }
    const bool writable = m_store && !m_workspace.isReadOnly();
    for (QPushButton* b : {m_add, m_change, m_delete})
        b->setEnabled(writable);
    if (m_store && m_workspace.isReadOnly())
        showMessage(qs(m_workspace.readOnlyReason()) + QStringLiteral("（購入数字は変更できません）"), true);
    const auto& history = m_workspace.history();
    const int next = history.empty() ? kLowestDrawNumber
                                     : std::min(history.records().back().drawNumber + 1, kHighestDrawNumber);
    m_firstDraw->setValue(next);
    m_lastDraw->setValue(next);
    reloadTickets();
    m_numbers->setFocus();
}

void TicketView::reloadTickets() {
    const int selectedId = m_selected >= 0 ? m_tickets[std::size_t(m_selected)].id : 0;
    m_tickets.clear();
    if (m_store) {
        auto loaded = loadTickets(*m_store);
        if (!loaded)
            showMessage(qs(loaded.error().message), true);
        else
            m_tickets = std::move(loaded).value();
    }
    m_results.clear();
    for (const Ticket& ticket : m_tickets)
        m_results.push_back(ticketResult(ticket, m_workspace.history()));
    m_selected = -1;
    for (std::size_t i = 0; i < m_tickets.size(); ++i)
        if (m_tickets[i].id == selectedId)
            m_selected = int(i);
    if (m_selected < 0 && !m_tickets.empty())
        m_selected = 0;
    showTickets();
    if (m_selected >= 0)
        selectTicket(m_selected); // its numbers in the fields, to change or to add again for other draws
    else
        showSelected();
}

void TicketView::showTickets() {
    ResultGrid grid = ticketListGrid(m_tickets, m_results);
    if (m_selected >= 0)
        grid.setCurrentCell(ticketlist::kIdColumn, ticketlist::kHeadingRows + 1 + m_selected);
    const QSignalBlocker quiet(m_grids[List]->selectionModel());
    m_grids[List]->setGrid(std::move(grid));
}

void TicketView::selectTicket(int index) {
    if (index < 0 || index >= int(m_tickets.size()))
        return;
    m_selected = index;
    const Ticket& ticket = m_tickets[std::size_t(index)];
    QStringList numbers;
    for (int n : ticket.numbers)
        numbers << QString::number(n);
    m_numbers->setText(numbers.join(' '));
    m_firstDraw->setValue(ticket.firstDraw);
    m_lastDraw->setValue(ticket.lastDraw);
    m_memo->setText(qs(ticket.memo));
    showSelected();
}

void TicketView::showSelected() {
    const bool any = m_selected >= 0;
    m_change->setEnabled(any && m_add->isEnabled());
    m_delete->setEnabled(any && m_add->isEnabled());
    m_check->setEnabled(any);
    const Ticket none;
    const TicketResult nothing;
    const Ticket& ticket = any ? m_tickets[std::size_t(m_selected)] : none;
    const TicketResult& result = any ? m_results[std::size_t(m_selected)] : nothing;
    m_summary->setText(
        any ? qs(ticketSentence(ticket, result))
            : QStringLiteral("購入数字はまだありません。数字と回を入力して「追加」を押してください。"));
    m_grids[Tiers]->setGrid(historyTierGrid(ticketTierCheck(ticket, result)));
    m_grids[Tiers]->setFixedSize(m_grids[Tiers]->fullTableSize());
    m_grids[Draws]->setGrid(ticketDrawsGrid(ticket, result, drawDatesOf(m_workspace.snapshot())));
    const int bar = m_grids[Draws]->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_grids[Draws]->setMaximumWidth(m_grids[Draws]->fullTableSize().width() + bar);
    m_grids[List]->setMaximumSize(m_grids[List]->fullTableSize() + QSize(bar, bar));
}

std::optional<Ticket> TicketView::typedTicket() {
    auto numbers = numbersFromText(m_numbers->text().toStdString(), "購入数字");
    if (!numbers) {
        showMessage(qs(numbers.error().message), true);
        return std::nullopt;
    }
    auto ticket = checkedTicket(std::move(numbers).value(), m_firstDraw->value(), m_lastDraw->value(),
                                m_memo->text().trimmed().toStdString());
    if (!ticket) {
        showMessage(qs(ticket.error().message), true);
        return std::nullopt;
    }
    return std::move(ticket).value();
}

void TicketView::showMessage(const QString& text, bool error) {
    m_message->setStyleSheet(error ? QStringLiteral("color: red;") : QString());
    m_message->setText(text);
    if (error) {
        m_numbers->setFocus();
        m_numbers->selectAll();
    }
}

QString TicketView::messageText() const {
    return m_message->text();
}

void TicketView::addTicket() {
    if (!m_store || !m_add->isEnabled())
        return;
    const std::optional<Ticket> ticket = typedTicket();
    if (!ticket)
        return;
    auto ids = addTickets(*m_store, {*ticket});
    if (!ids)
        return showMessage(qs(ids.error().message) + QStringLiteral("\n購入数字は保存していません。"), true);
    afterWrite(DrawStore::WriteOutcome::Written, ids->front(),
               QStringLiteral("購入数字%1 を追加しました。").arg(ids->front()));
}

void TicketView::changeTicket() {
    if (!m_store || m_selected < 0 || !m_change->isEnabled())
        return;
    std::optional<Ticket> ticket = typedTicket();
    if (!ticket)
        return;
    const Ticket& stored = m_tickets[std::size_t(m_selected)];
    ticket->id = stored.id;
    afterWrite(updateTicket(*m_store, stored, *ticket), stored.id,
               QStringLiteral("購入数字%1 を変更しました。").arg(stored.id));
}

void TicketView::deleteTicket() {
    if (!m_store || m_selected < 0 || !m_delete->isEnabled())
        return;
    const Ticket stored = m_tickets[std::size_t(m_selected)];
    QStringList numbers;
    for (int n : stored.numbers)
        numbers << QString::number(n);
    const Dialogs::Question question{qs(kTicketViewName),
                                     QStringLiteral("購入数字%1（%2、第%3回～第%4回）を削除しますか？")
                                         .arg(stored.id)
                                         .arg(numbers.join(' '))
                                         .arg(stored.firstDraw)
                                         .arg(stored.lastDraw),
                                     Dialogs::Icon::Question,
                                     {QStringLiteral("削除する(&D)"), QStringLiteral("キャンセル")},
                                     1,
                                     1};
    if (Dialogs::instance().choose(this, question) != 0)
        return;
    afterWrite(kazutama::deleteTicket(*m_store, stored), 0,
               QStringLiteral("購入数字%1 を削除しました。").arg(stored.id));
}

void TicketView::afterWrite(const Result<DrawStore::WriteOutcome>& written, int select, const QString& done) {
    if (!written) {
        showMessage(qs(written.error().message) + QStringLiteral("\n何も変更していません。"), true);
        return;
    }
    const bool elsewhere = written.value() == DrawStore::WriteOutcome::ChangedElsewhere;
    reloadTickets();
    for (std::size_t i = 0; i < m_tickets.size(); ++i)
        if (m_tickets[i].id == select && int(i) != m_selected) {
            selectTicket(int(i));
            showTickets();
        }
    showMessage(elsewhere ? QStringLiteral(
                                "ほかのプログラムがこの購入数字を変更または削除していたため、何も変更していま"
                                "せん。一覧を読み直しました。")
                          : done,
                elsewhere);
}

TableDocument TicketView::document(int only) const {
    TableDocument document(qs(kTicketViewName), m_selected >= 0 ? m_summary->text() : QString());
    for (int table = 0; table < kTableCount; ++table)
        if (only < 0 || only == table)
            document.addTable(m_grids[std::size_t(table)]->grid(), QString::fromUtf8(kTableTitles[table]));
    if (only < 0 || only == Draws)
        document.setLegend(kHitLegend);
    return document;
}

void TicketView::print() {
    previewTable(window(), document());
}

} // namespace kazutama
