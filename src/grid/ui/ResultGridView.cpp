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
#include <algorithm>
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

    auto* copy = new QAction(QStringLiteral("コピー(&C)"), this);
    copy->setObjectName("actCopy");
    // The menu shows the key; the key itself reaches keyPressEvent, since the item view claims it first.
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultGridView::copySelection);
    addAction(copy);
    m_find = new QAction(QStringLiteral("数字を検索(&F)...\tCtrl+F"), this);
    m_find->setObjectName("actFind");
    m_find->setShortcut(QKeySequence::Find);
    m_find->setShortcutContext(Qt::WidgetShortcut);
    connect(m_find, &QAction::triggered, this, &ResultGridView::askFind);
    addAction(m_find);
    m_goToDraw = new QAction(QStringLiteral("回へ移動(&G)...\tCtrl+G"), this);
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

// The section of a header at a position in its content, as if the view were not scrolled along it.
int sectionAtContent(const QHeaderView& header, int position) {
    return header.logicalIndexAt(position - header.offset());
}

// The cells' places in one pane of the view's viewport, where the view paints them: columns (rows) that
// stay in place lie where the table starts, the others where the view is scrolled to.
class PaneGeometry : public GridGeometry {
public:
    PaneGeometry(const QTableView& view, bool fixedColumns, bool fixedRows)
        : m_view(view), m_fixedColumns(fixedColumns), m_fixedRows(fixedRows) {}

    int columnLeft(int column) const override {
        return m_fixedColumns ? m_view.horizontalHeader()->sectionPosition(column - 1)
                              : m_view.columnViewportPosition(column - 1);
    }
    int columnWidth(int column) const override { return m_view.columnWidth(column - 1); }
    int rowTop(int row) const override {
        return m_fixedRows ? m_view.verticalHeader()->sectionPosition(row - 1)
                           : m_view.rowViewportPosition(row - 1);
    }
    int rowHeight(int row) const override { return m_view.rowHeight(row - 1); }

    // The column (from 1) at a viewport position, 0 beyond the table; likewise the row.
    int columnAt(int x) const {
        return 1 + (m_fixedColumns ? sectionAtContent(*m_view.horizontalHeader(), x) : m_view.columnAt(x));
    }
    int rowAt(int y) const {
        return 1 + (m_fixedRows ? sectionAtContent(*m_view.verticalHeader(), y) : m_view.rowAt(y));
    }

private:
    const QTableView& m_view;
    bool m_fixedColumns, m_fixedRows;
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

struct ResultGridView::Pane {
    QRect rect;
    bool fixedColumns, fixedRows;
    PaneGeometry geometry(const QTableView& view) const {
        return PaneGeometry(view, fixedColumns, fixedRows);
    }
};

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
    m_extends = false;
    selectionModel()->setCurrentIndex(current, showsCursor() ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::NoUpdate);
    if (placed)
        scrollTo(current, QAbstractItemView::PositionAtTop);
}

ResultGridView::Frozen ResultGridView::frozen() const {
    const ResultGrid& g = grid();
    const QSize room = viewport()->size();
    Frozen frozen;
    // Headings that would take more than half the view scroll with the rest, which then keeps room to show.
    if (const int columns = std::min(g.headingColumns(), g.columnCount() - 1); columns > 0) {
        const int width = horizontalHeader()->sectionPosition(columns - 1) + columnWidth(columns - 1);
        if (2 * width <= room.width())
            frozen.columns = columns, frozen.width = width;
    }
    if (const int rows = std::min(g.headingRows(), g.rowCount() - 1); rows > 0) {
        const int height = verticalHeader()->sectionPosition(rows - 1) + rowHeight(rows - 1);
        if (2 * height <= room.height())
            frozen.rows = rows, frozen.height = height;
    }
    return frozen;
}

std::vector<ResultGridView::Pane> ResultGridView::panes() const {
    const Frozen f = frozen();
    const QRect all = viewport()->rect();
    std::vector<Pane> panes{{all.adjusted(f.width, f.height, 0, 0), false, false}};
    if (f.height > 0)
        panes.push_back({QRect(f.width, 0, all.width() - f.width, f.height), false, true});
    if (f.width > 0)
        panes.push_back({QRect(0, f.height, f.width, all.height() - f.height), true, false});
    if (f.width > 0 && f.height > 0)
        panes.push_back({QRect(0, 0, f.width, f.height), true, true});
    return panes;
}

const ResultGridView::Pane& ResultGridView::paneAt(const std::vector<Pane>& panes, int column,
                                                   int row) const {
    const Frozen f = frozen();
    const bool fixedColumns = column <= f.columns, fixedRows = row <= f.rows;
    for (const Pane& pane : panes)
        if (pane.fixedColumns == fixedColumns && pane.fixedRows == fixedRows)
            return pane;
    return panes.front();
}

void ResultGridView::paintEvent(QPaintEvent* event) {
    const ResultGrid& g = grid();
    const std::vector<Pane> all = panes();
    QPainter painter(viewport());
    for (const Pane& pane : all) {
        const QRect area = pane.rect.intersected(event->rect());
        if (area.isEmpty())
            continue;
        const PaneGeometry geometry = pane.geometry(*this);
        const int firstColumn = geometry.columnAt(area.left()), firstRow = geometry.rowAt(area.top());
        if (firstColumn < 1 || firstRow < 1)
            continue; // beyond the table, where the viewport's own background shows
        const int lastColumn = geometry.columnAt(area.right()), lastRow = geometry.rowAt(area.bottom());
        // A block is painted with lines on all four sides, but a cell in the view shows its left and top
        // lines only at the table's edge, where no neighbour draws them: the block starts one cell further
        // out, so those lines fall outside the area.
        const GridBlock block{std::max(1, firstColumn - 1), lastColumn < 1 ? g.columnCount() : lastColumn,
                              std::max(1, firstRow - 1), lastRow < 1 ? g.rowCount() : lastRow};
        painter.save();
        painter.setClipRect(area);
        m_painter->paintCells(painter, geometry, block);
        if (showsCursor())
            paintSelection(painter, pane);
        painter.restore();
    }
    if (showsCursor())
        paintCursor(painter, all);
}

void ResultGridView::paintSelection(QPainter& painter, const Pane& pane) const {
    const PaneGeometry geometry = pane.geometry(*this);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        const QRect first = geometry.cellRect(range.left() + 1, range.top() + 1);
        const QRect last = geometry.cellRect(range.right() + 1, range.bottom() + 1);
        painter.fillRect(QRect(first.topLeft(), last.bottomRight()).intersected(pane.rect), kSelectionTint);
    }
}

void ResultGridView::paintCursor(QPainter& painter, const std::vector<Pane>& panes) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const Pane& pane = paneAt(panes, current.column() + 1, current.row() + 1);
    // The frame lies over the cell's own lines: its right and bottom ones and the left and top ones its
    // neighbours draw; at the table's (or the pane's) edge it stays whole inside the view. A cell partly
    // under the headings shows its frame where it comes out from under them.
    const QRect shown = pane.rect.adjusted(-1, -1, 0, 0).intersected(viewport()->rect());
    const QRect cell = visualRect(current).adjusted(-1, -1, 0, 0).intersected(shown);
    if (cell.isEmpty())
        return;
    const int w = kCursorFrameWidth;
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), w), kCursorFrame);
    painter.fillRect(QRect(cell.left(), cell.bottom() - w + 1, cell.width(), w), kCursorFrame);
    painter.fillRect(QRect(cell.left(), cell.top(), w, cell.height()), kCursorFrame);
    painter.fillRect(QRect(cell.right() - w + 1, cell.top(), w, cell.height()), kCursorFrame);
}

QRect ResultGridView::visualRect(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    const Frozen f = frozen();
    const PaneGeometry geometry(*this, index.column() < f.columns, index.row() < f.rows);
    return geometry.cellRect(index.column() + 1, index.row() + 1);
}

QModelIndex ResultGridView::indexAt(const QPoint& point) const {
    const Frozen f = frozen();
    // A point before the view's start (the item view asks of cells scrolled out of view) is a scrolled one.
    const PaneGeometry geometry(*this, point.x() >= 0 && point.x() < f.width,
                                point.y() >= 0 && point.y() < f.height);
    const int column = geometry.columnAt(point.x()), row = geometry.rowAt(point.y());
    return column >= 1 && row >= 1 ? m_model->index(row - 1, column - 1) : QModelIndex();
}

namespace {

// The scroll position that shows the section from `start` to `end` (content positions) in the part of the
// view from `from` to `to` (viewport positions), as the hint asks; `position` is the present one.
int scrolledTo(int position, int start, int end, int from, int to, QAbstractItemView::ScrollHint hint) {
    const int first = start - from, last = end - to; // the cell at the top, or at the bottom
    switch (hint) {
    case QAbstractItemView::PositionAtTop:
        return first;
    case QAbstractItemView::PositionAtBottom:
        return last;
    case QAbstractItemView::PositionAtCenter:
        return (first + last) / 2;
    case QAbstractItemView::EnsureVisible:
        break;
    }
    // A section larger than the room shows from its start.
    if (position > first || last > first)
        return first;
    return std::max(position, last);
}

} // namespace

void ResultGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    const Frozen f = frozen();
    const QSize room = viewport()->size();
    // A heading cell is always in view along the side it stays on; the top and bottom hints are for rows.
    if (index.column() >= f.columns) {
        QScrollBar* bar = horizontalScrollBar();
        const int left = horizontalHeader()->sectionPosition(index.column());
        bar->setValue(scrolledTo(bar->value(), left, left + columnWidth(index.column()), f.width,
                                 room.width(), hint == PositionAtCenter ? hint : EnsureVisible));
    }
    if (index.row() >= f.rows) {
        QScrollBar* bar = verticalScrollBar();
        const int top = verticalHeader()->sectionPosition(index.row());
        bar->setValue(
            scrolledTo(bar->value(), top, top + rowHeight(index.row()), f.height, room.height(), hint));
    }
}

QModelIndex ResultGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    const Frozen f = frozen();
    QModelIndex next;
    if ((action == MovePageDown || action == MovePageUp) && current.isValid()) {
        // A page is what shows below the heading rows: the view scrolls by it, and the current cell moves
        // by it and keeps its place on the screen.
        QScrollBar* bar = verticalScrollBar();
        const QHeaderView& rows = *verticalHeader();
        const int page = std::max(1, viewport()->height() - f.height) * (action == MovePageDown ? 1 : -1);
        const int from =
            current.row() < f.rows ? bar->value() + f.height : rows.sectionPosition(current.row());
        int row = sectionAtContent(rows, std::clamp(from + page, 0, rows.length() - 1));
        // Up from the body stops at its first row before going on into the headings.
        if (row < f.rows && current.row() > f.rows)
            row = f.rows;
        bar->setValue(bar->value() + page);
        next = m_model->index(row, current.column());
    } else {
        next = QTableView::moveCursor(action, modifiers);
    }
    // Home, Ctrl+Home and Page Up into the headings from the body show the table's start along that side.
    if (next.isValid() && current.isValid()) {
        if (next.row() < f.rows && current.row() >= f.rows)
            verticalScrollBar()->setValue(0);
        if (next.column() < f.columns && current.column() >= f.columns)
            horizontalScrollBar()->setValue(0);
    }
    return next;
}

void ResultGridView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // The item view moves the viewport's pixels along, the headings with them: where they stay, the whole
    // view is painted again.
    const Frozen f = frozen();
    if (f.rows > 0 || f.columns > 0)
        viewport()->update();
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
    QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    if (event && event->type() == QEvent::KeyPress &&
        (static_cast<const QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier))
        command = QItemSelectionModel::SelectCurrent;
    m_extends = command.testFlag(QItemSelectionModel::Current);
    return command;
}

void ResultGridView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const QModelIndex to = indexAt(rect.bottomRight());
    const QModelIndex from = m_anchor.isValid() ? QModelIndex(m_anchor) : indexAt(rect.topLeft());
    if (!from.isValid() || !to.isValid())
        return;
    const QModelIndex topLeft =
        m_model->index(std::min(from.row(), to.row()), std::min(from.column(), to.column()));
    const QModelIndex bottomRight =
        m_model->index(std::max(from.row(), to.row()), std::max(from.column(), to.column()));
    selectionModel()->select(QItemSelection(topLeft, bottomRight), command);
}

void ResultGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!m_extends)
        m_anchor = current;
    m_extends = false;
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
    // A view without a cursor has no cell to find or go to: its menu offers the copy alone.
    if (event->type() == QEvent::ContextMenu) {
        m_find->setVisible(showsCursor());
        m_goToDraw->setVisible(showsCursor() && m_drawNumberColumn > 0);
    }
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
    const Frozen f = frozen();
    const PaneGeometry geometry(*this, index.column() < f.columns, index.row() < f.rows);
    return m_painter->narrows(geometry, cover, row) ? QString::fromUtf8(g.text(cover.owner, row)) : QString();
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
    m_extends = false;
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
