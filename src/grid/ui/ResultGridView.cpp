#include "grid/ui/ResultGridView.h"

#include "common/QuotedInput.h"
#include "grid/Colours.h"
#include "grid/GridCopy.h"
#include "grid/ui/GridGeometry.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridModel.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <map>
#include <string>
#include <vector>

namespace kazutama {

namespace {

const QKeySequence kGoToDrawKey(Qt::CTRL | Qt::Key_G);

} // namespace

ResultGridView::ResultGridView(QWidget* parent) : QTableView(parent), m_model(new ResultGridModel(this)) {
    setModel(m_model);
    setFont(GridMetrics::font());
    m_painter = std::make_unique<GridPainter>(m_model->grid(), font());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One rectangle at a time, as a spreadsheet selects: what is copied is a block of the table.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(GridMetrics::rowPixels(10));
    horizontalScrollBar()->setSingleStep(GridMetrics::columnPixels(2));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, qcolor(colours::kDefaultBackground));
    palette.setColor(QPalette::Text, qcolor(colours::kDefaultText));
    setPalette(palette);

    auto* copy = new QAction(QStringLiteral("コピー"), this);
    copy->setObjectName("actCopy");
    // The menu shows the key; the key itself reaches keyPressEvent, since the item view claims it first.
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultGridView::copySelection);
    addAction(copy);
    auto* find = new QAction(QStringLiteral("数字を検索...\tCtrl+F"), this);
    find->setObjectName("actFind");
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WidgetShortcut);
    connect(find, &QAction::triggered, this, &ResultGridView::askFind);
    addAction(find);
    m_goToDraw = new QAction(QStringLiteral("回へ移動...\tCtrl+G"), this);
    m_goToDraw->setObjectName("actGoToDraw");
    m_goToDraw->setShortcut(kGoToDrawKey);
    m_goToDraw->setShortcutContext(Qt::WidgetShortcut);
    m_goToDraw->setVisible(false);
    connect(m_goToDraw, &QAction::triggered, this, &ResultGridView::askGoToDraw);
    addAction(m_goToDraw);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

namespace {

// The current cell's frame and the selection's tint, drawn over whatever colours the table sets: the frame
// dark enough to stand out on every pale and mid-tone background, the tint dark enough to show even on the
// blue dots and light enough to keep black text legible.
const QColor kCursorFrame(16, 32, 96);
const QColor kSelectionTint(0, 64, 192, 70);
constexpr int kCursorFrameWidth = 2;

// The cells' places in the view's viewport, where the view paints them.
class HeaderGeometry : public GridGeometry {
public:
    explicit HeaderGeometry(const QTableView& view) : m_view(view) {}

    int columnLeft(int column) const override { return m_view.columnViewportPosition(column - 1); }
    int columnWidth(int column) const override { return m_view.columnWidth(column - 1); }
    int rowTop(int row) const override { return m_view.rowViewportPosition(row - 1); }
    int rowHeight(int row) const override { return m_view.rowHeight(row - 1); }

private:
    const QTableView& m_view;
};

// The pixel sizes of a header's sections, as the header takes them: the most common one as its default, the
// others one by one.
struct SectionSizes {
    int common;
    std::vector<std::pair<int, int>> others; // (section from 0, size)
};

// Qt sizes sections one at a time, each in time that grows with their number: setting 32,000 column
// widths one by one takes half a second. Most sections of a table share one size, so that size becomes
// the header's default and only the others are set one by one.
template <typename Pixels> SectionSizes sectionSizes(int count, int fallback, Pixels pixels) {
    std::vector<int> sizes(static_cast<std::size_t>(count));
    std::map<int, int> uses;
    for (int i = 0; i < count; ++i)
        ++uses[sizes[std::size_t(i)] = pixels(i + 1)];
    SectionSizes result{fallback, {}};
    int most = 0;
    for (auto [size, used] : uses)
        if (used > most)
            result.common = size, most = used;
    for (int i = 0; i < count; ++i)
        if (sizes[std::size_t(i)] != result.common)
            result.others.emplace_back(i, sizes[std::size_t(i)]);
    return result;
}

} // namespace

const ResultGrid& ResultGridView::grid() const {
    return m_model->grid();
}

void ResultGridView::setGrid(ResultGrid grid) {
    const SectionSizes columns =
        sectionSizes(grid.columnCount(), GridMetrics::columnPixels(ResultGrid::kDefaultColumnWidth),
                     [&](int column) { return GridMetrics::columnPixels(grid.columnWidth(column)); });
    const SectionSizes rows =
        sectionSizes(grid.rowCount(), GridMetrics::rowPixels(ResultGrid::kDefaultRowHeight),
                     [&](int row) { return GridMetrics::rowPixels(grid.rowHeight(row)); });
    // A header tells the view of every section a new default size resizes, one signal each: the defaults
    // are set while the old table's sections, none on opening, are still there.
    horizontalHeader()->setDefaultSectionSize(columns.common);
    verticalHeader()->setDefaultSectionSize(rows.common);
    m_model->setGrid(std::move(grid));
    for (const auto& [section, size] : columns.others)
        horizontalHeader()->resizeSection(section, size);
    for (const auto& [section, size] : rows.others)
        verticalHeader()->resizeSection(section, size);
    const ResultGrid& g = m_model->grid();

    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    const bool placed = g.currentRow() >= 1 && g.currentColumn() >= 1;
    const QModelIndex current =
        m_model->index(placed ? g.currentRow() - 1 : 0, placed ? g.currentColumn() - 1 : 0);
    selectionModel()->setCurrentIndex(current, showsCursor() ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::NoUpdate);
    if (placed)
        scrollTo(current, QAbstractItemView::PositionAtTop);
}

void ResultGridView::paintEvent(QPaintEvent* event) {
    const ResultGrid& g = grid();
    const QRect area = event->rect();
    const int firstColumn = columnAt(area.left()) + 1, firstRow = rowAt(area.top()) + 1;
    if (firstColumn < 1 || firstRow < 1)
        return; // beyond the table, where the viewport's own background shows
    const int lastColumn = columnAt(area.right()) + 1, lastRow = rowAt(area.bottom()) + 1;
    // A block is painted with lines on all four sides, but a cell in the view shows its left and top lines
    // only at the table's edge, where no neighbour draws them: the block starts one cell further out, so
    // those lines fall outside the area.
    const GridBlock block{std::max(1, firstColumn - 1), lastColumn < 1 ? g.columnCount() : lastColumn,
                          std::max(1, firstRow - 1), lastRow < 1 ? g.rowCount() : lastRow};
    QPainter painter(viewport());
    m_painter->paintCells(painter, HeaderGeometry(*this), block);
    if (showsCursor())
        paintCursor(painter);
}

void ResultGridView::paintCursor(QPainter& painter) const {
    const QRect visible = viewport()->rect();
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        const QRect rect(QPoint(columnViewportPosition(range.left()), rowViewportPosition(range.top())),
                         QPoint(columnViewportPosition(range.right()) + columnWidth(range.right()) - 1,
                                rowViewportPosition(range.bottom()) + rowHeight(range.bottom()) - 1));
        painter.fillRect(rect.intersected(visible), kSelectionTint);
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    // The frame lies over the cell's own lines: its right and bottom ones and the left and top ones its
    // neighbours draw; at the table's (or the view's) edge it stays whole inside the view.
    const QRect cell = visualRect(current).adjusted(-1, -1, 0, 0).intersected(visible);
    if (cell.isEmpty())
        return;
    const int w = kCursorFrameWidth;
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), w), kCursorFrame);
    painter.fillRect(QRect(cell.left(), cell.bottom() - w + 1, cell.width(), w), kCursorFrame);
    painter.fillRect(QRect(cell.left(), cell.top(), w, cell.height()), kCursorFrame);
    painter.fillRect(QRect(cell.right() - w + 1, cell.top(), w, cell.height()), kCursorFrame);
}

void ResultGridView::keyPressEvent(QKeyEvent* event) {
    // The item view would copy the current cell's text alone, ahead of any shortcut.
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    // Where the shortcut does not take the key first (the action hidden, or a focus the shortcut misses).
    if (event->matches(QKeySequence::Find)) {
        askFind();
        event->accept();
        return;
    }
    if (QKeySequence(event->keyCombination()) == kGoToDrawKey && m_drawNumberColumn > 0) {
        askGoToDraw();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags ResultGridView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    // Shift extends the selection whichever key moves the cell, Ctrl+Shift+End as well as Shift+Down; the
    // item view drops the selection on any move with Ctrl.
    if (event && event->type() == QEvent::KeyPress &&
        (static_cast<const QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier))
        return QItemSelectionModel::SelectCurrent;
    return QTableView::selectionCommand(index, event);
}

void ResultGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The frame reaches a pixel beyond the cell the item view repaints.
    viewport()->update();
}

void ResultGridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    viewport()->update();
}

ResultGrid::Range ResultGridView::selectedCells() const {
    const ResultGrid& g = grid();
    const QItemSelection selection = selectionModel()->selection();
    if (!showsCursor() || selection.isEmpty())
        return g.clip(GridBlock::all());
    ResultGrid::Range cells{g.columnCount(), 1, g.rowCount(), 1};
    for (const QItemSelectionRange& range : selection) {
        cells.firstColumn = std::min(cells.firstColumn, range.left() + 1);
        cells.lastColumn = std::max(cells.lastColumn, range.right() + 1);
        cells.firstRow = std::min(cells.firstRow, range.top() + 1);
        cells.lastRow = std::max(cells.lastRow, range.bottom() + 1);
    }
    return cells;
}

void ResultGridView::copySelection() const {
    const ResultGrid::Range cells = selectedCells();
    if (cells.empty())
        return;
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(GridCopy::tabSeparated(grid(), cells)));
    data->setHtml(QString::fromStdString(GridCopy::html(grid(), cells)));
    QApplication::clipboard()->setMimeData(data);
}

bool ResultGridView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = cutTextAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(indexAt(help->pos())));
    return true;
}

QString ResultGridView::cutTextAt(QPoint position) const {
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return {};
    const ResultGrid& g = grid();
    const int row = index.row() + 1;
    const TextCover cover = g.textCover(index.column() + 1, row);
    if (cover.empty())
        return {};
    // Narrowed as the painter narrows it: then it does not show whole.
    return m_painter->narrows(HeaderGeometry(*this), cover, row) ? QString::fromUtf8(g.text(cover.owner, row))
                                                                 : QString();
}

namespace {

// A cell's text less the blanks around it, half-width and full-width.
std::string_view trimmedBlanks(std::string_view text) {
    constexpr std::string_view kWideBlank = "\u3000";
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        if (text.starts_with(' ') || text.starts_with('\t'))
            text.remove_prefix(1), trimmed = true;
        else if (text.starts_with(kWideBlank))
            text.remove_prefix(kWideBlank.size()), trimmed = true;
        if (text.ends_with(' ') || text.ends_with('\t'))
            text.remove_suffix(1), trimmed = true;
        else if (text.ends_with(kWideBlank))
            text.remove_suffix(kWideBlank.size()), trimmed = true;
    }
    return text;
}

} // namespace

void ResultGridView::setDrawNumberColumn(int column) {
    m_drawNumberColumn = std::max(column, 0);
    m_goToDraw->setVisible(m_drawNumberColumn > 0);
}

void ResultGridView::makeCurrent(int column, int row) {
    const QModelIndex index = m_model->index(row - 1, column - 1);
    selectionModel()->setCurrentIndex(index, showsCursor() ? QItemSelectionModel::ClearAndSelect
                                                           : QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

bool ResultGridView::findNext(const QString& text) {
    const std::string wanted = text.trimmed().toStdString();
    const ResultGrid& g = grid();
    const long long columns = g.columnCount(), cells = columns * g.rowCount();
    if (wanted.empty() || cells == 0)
        return false;
    const QModelIndex current = currentIndex();
    const long long start = current.isValid() ? current.row() * columns + current.column() : cells - 1;
    // The cells after the current one, and the current one last.
    for (long long step = 1; step <= cells; ++step) {
        const long long cell = (start + step) % cells;
        const int column = int(cell % columns) + 1, row = int(cell / columns) + 1;
        if (trimmedBlanks(g.text(column, row)) == wanted) {
            makeCurrent(column, row);
            return true;
        }
    }
    return false;
}

bool ResultGridView::goToDraw(int drawNumber) {
    const ResultGrid& g = grid();
    if (m_drawNumberColumn < 1 || m_drawNumberColumn > g.columnCount() || drawNumber < 1)
        return false;
    const std::string wanted = std::to_string(drawNumber);
    for (int row = 1; row <= g.rowCount(); ++row)
        if (trimmedBlanks(g.text(m_drawNumberColumn, row)) == wanted) {
            makeCurrent(m_drawNumberColumn, row);
            return true;
        }
    return false;
}

void ResultGridView::askFind() {
    Dialogs& dialogs = Dialogs::instance();
    const QString text = dialogs.askText(this, QStringLiteral("数字を検索"),
                                         QStringLiteral("探す数字（または文字）を入力してください。"));
    if (text.trimmed().isEmpty() || findNext(text))
        return;
    dialogs.message(this, applicationTitle(),
                    qs(quoteInput(text.trimmed().toStdString())) + QStringLiteral("は見つかりません。"),
                    Dialogs::Icon::Information);
}

void ResultGridView::askGoToDraw() {
    if (m_drawNumberColumn < 1)
        return;
    Dialogs& dialogs = Dialogs::instance();
    const QString text =
        dialogs.askText(this, QStringLiteral("回へ移動"), QStringLiteral("移動する回を入力してください。"));
    // Digits typed full-width read as the same number.
    const QString typed = text.trimmed().normalized(QString::NormalizationForm_KC);
    if (typed.isEmpty())
        return;
    bool isNumber = false;
    const int drawNumber = typed.toInt(&isNumber);
    if (isNumber && goToDraw(drawNumber))
        return;
    const QString quoted = qs(quoteInput(text.trimmed().toStdString()));
    dialogs.message(this, applicationTitle(),
                    isNumber ? quoted + QStringLiteral("回はこの表にありません。")
                             : quoted + QStringLiteral("は回の番号ではありません。"),
                    Dialogs::Icon::Information);
}

QSize ResultGridView::fullTableSize() const {
    const int frame = 2 * frameWidth();
    return QSize(horizontalHeader()->length() + frame, verticalHeader()->length() + frame);
}

} // namespace kazutama
