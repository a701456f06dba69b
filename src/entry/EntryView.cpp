#include "entry/EntryView.h"

#include "entry/EntryCsv.h"
#include "entry/EntryModel.h"
#include "entry/NumberCellDelegate.h"
#include "grid/ui/GridMetrics.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "menus/MenuTable.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr int kNumberColumnWidth = 7;
constexpr int kDrawColumnWidth = 5;
constexpr double kRowHeight = 10;

} // namespace

EntryView::EntryView(ViewGuard& guard, const ConnectionString& connection, BackupOnFirstWrite* backups,
                     QWidget* parent)
    : ChildView(guard, parent), m_connection(connection), m_backups(backups) {
    setObjectName(qs(kEntryViewName));
    setWindowTitle(qs(kEntryViewName));

    // 編集 is also the row headings' pop-up menu, so it holds the two row commands and nothing else.
    auto* menuBar = new QMenuBar(this);
    m_editMenu = menuBar->addMenu(QStringLiteral("編集(&E)"));
    m_editMenu->setObjectName("mnuEdit");
    m_editMenu->menuAction()->setObjectName("mnuEdit");
    m_editMenu->addAction(QStringLiteral("行追加"), this, &EntryView::addLine)->setObjectName("mnuAddLine");
    m_editMenu->addAction(QStringLiteral("行削除"), this, &EntryView::deleteLine)
        ->setObjectName("mnuDelLine");
    QMenu* csvMenu = menuBar->addMenu(QStringLiteral("CSV(&C)"));
    csvMenu->setObjectName("mnuCsv");
    csvMenu->menuAction()->setObjectName("mnuCsv");
    csvMenu->addAction(QStringLiteral("CSV取り込み..."), this, &EntryView::importCsv)
        ->setObjectName("mnuImportCsv");
    csvMenu->addAction(QStringLiteral("CSV書き出し..."), this, &EntryView::exportCsv)
        ->setObjectName("mnuExportCsv");

    auto* label = new QLabel(
        QStringLiteral("当選数字を開催回数毎に入力します。ここのデータが分析対象になります"), this);
    label->setObjectName("Label1");

    m_grid = new QTableView(this);
    m_grid->setObjectName("fpSpread1");
    m_grid->setFont(GridMetrics::font());
    m_grid->setItemDelegate(new NumberCellDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    m_grid->setGridStyle(Qt::SolidLine);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The headings' own minimum, taken from the window font, would make the rows taller than the analyses'.
    m_grid->verticalHeader()->setFont(GridMetrics::font());
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(GridMetrics::rowPixels(kRowHeight));
    m_grid->verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid->verticalHeader(), &QWidget::customContextMenuRequested, this, &EntryView::showRowMenu);
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    m_grid->setPalette(palette);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("Command1");
    connect(close, &QPushButton::clicked, this, &EntryView::validateAndClose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setMenuBar(menuBar);
    layout->addWidget(label);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

EntryView::~EntryView() = default;

void EntryView::reportFailure(const QString& message) {
    Dialogs::instance().message(this, applicationTitle(), message, Dialogs::Icon::Critical);
    m_grid->setFocus();
}

void EntryView::build() {
    auto store = DrawStore::open(m_connection);
    if (!store) {
        reportFailure(qs(store.error().message));
        return;
    }
    m_store.emplace(std::move(store).value());
    m_store->backUpBeforeWriting(m_backups);
    m_model = new EntryModel(
        *m_store, [this](const QString& message) { reportFailure(message); }, this);
    m_grid->setModel(m_model);
    m_model->reload();

    m_grid->setColumnWidth(0, GridMetrics::columnPixels(kDrawColumnWidth));
    for (int c = 1; c < EntryModel::kColumnCount; ++c)
        m_grid->setColumnWidth(c, GridMetrics::columnPixels(kNumberColumnWidth));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 1));
}

bool EntryView::eventFilter(QObject* watched, QEvent* event) {
    // Delete and Backspace empty the selected number cells, as in any spreadsheet. While a cell is edited
    // its editor has the keys.
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_model) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
            if (cells.isEmpty())
                cells << m_grid->currentIndex();
            m_model->clearCells(cells);
            return true;
        }
    }
    return ChildView::eventFilter(watched, event);
}

void EntryView::showRowMenu(const QPoint& position) {
    if (!m_model)
        return;
    const int row = m_grid->verticalHeader()->logicalIndexAt(position);
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    int first = row, last = row;
    if (!selected.isEmpty()) {
        first = last = selected.first().row();
        for (const QModelIndex& index : selected) {
            first = std::min(first, index.row());
            last = std::max(last, index.row());
        }
    }
    if (first != last)
        return;
    m_editMenu->popup(m_grid->verticalHeader()->viewport()->mapToGlobal(position));
}

void EntryView::addLine() {
    if (!m_model)
        return;
    const bool yes = Dialogs::instance().confirm(
        this, applicationTitle(), QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？"));
    // Typing goes on in the grid, whatever the answer; the menu or the box had the focus.
    m_grid->setFocus();
    if (!yes)
        return;
    const QModelIndex current = m_grid->currentIndex();
    const int column = current.isValid() ? current.column() : 1;
    const int row = current.isValid() ? current.row() + 1 : m_model->rowCount();
    if (m_model->insertDrawAt(row))
        m_grid->setCurrentIndex(m_model->index(row, column));
}

void EntryView::deleteLine() {
    if (!m_model)
        return;
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    const bool yes = Dialogs::instance().confirm(
        this, applicationTitle(), QStringLiteral("選択された行を削除します。よろしいですか？"));
    m_grid->setFocus();
    if (!yes)
        return;
    const int column = current.column();
    if (m_model->deleteDrawAt(current.row()) && m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(std::min(current.row(), m_model->rowCount() - 1), column));
}

void EntryView::validateAndClose() {
    if (m_model) {
        // A cell still being edited counts with what has been typed into it.
        m_grid->setFocus();
        const QModelIndex wrong = m_model->firstWrongCell();
        if (wrong.isValid()) {
            Dialogs::instance().message(this, errorTitle(),
                                        QStringLiteral("当選データの数字に誤りがあります。"),
                                        Dialogs::Icon::Critical);
            m_grid->setCurrentIndex(wrong);
            m_grid->scrollTo(wrong);
            return;
        }
    }
    closeView();
}

void EntryView::closeEvent(QCloseEvent* event) {
    const bool wasLoaded = isLoaded();
    ChildView::closeEvent(event);
    if (wasLoaded && event->isAccepted() && changedDatabase())
        emit closedAfterChanges();
}

EntryCsv EntryView::csv() {
    return EntryCsv(this, *m_store, *m_model, [this](const QString& message) { reportFailure(message); });
}

void EntryView::importCsv() {
    if (m_store)
        csv().importFile();
}

void EntryView::exportCsv() {
    if (m_store)
        csv().exportFile();
}

} // namespace kazutama
