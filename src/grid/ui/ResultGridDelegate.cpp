#include "grid/ui/ResultGridDelegate.h"

#include "grid/Colours.h"
#include "grid/ResultGrid.h"
#include "gui/QtText.h"

#include <QAbstractItemView>
#include <QPainter>

namespace kazutama {

namespace {

QString textOf(const ResultGrid& grid, int column, int row) { return qs(grid.text(column, row)); }

} // namespace

ResultGridDelegate::ResultGridDelegate(const ResultGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), m_grid(grid) {}

void ResultGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const int column = index.column() + 1, row = index.row() + 1;
    painter->save();
    painter->fillRect(option.rect, qcolor(m_grid.background(column, row), qcolor(colours::kDefaultBackground)));
    paintText(painter, option, index);
    paintBorders(painter, option.rect, column, row);
    painter->restore();
}

void ResultGridDelegate::paintText(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const int column = index.column() + 1, row = index.row() + 1;
    // The cell whose text covers this one: the cell itself, or a neighbour whose text runs on into it.
    const TextCover cover = m_grid.textCover(column, row);
    if (cover.empty())
        return;
    const int owner = cover.owner;
    const ColumnSpan span = cover.span;

    // Geometry of the owner cell and of its span, relative to this cell.
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    auto cellRect = [&](int c) {
        return view ? view->visualRect(index.sibling(index.row(), c - 1)) : option.rect;
    };
    const QRect ownerRect = cellRect(owner);
    const QRect spanRect = cellRect(span.first).united(cellRect(span.last));

    const QString text = textOf(m_grid, owner, row);
    QFont font = option.font;
    const QFontMetrics metrics(font);
    const int available = spanRect.width() - 3;
    // Blanks at the end of a left-aligned text (or the start of a right-aligned one) take no visible room.
    QString visible = text;
    if (m_grid.horizontalAlignment(owner, row) != HorizontalAlignment::Right)
        while (visible.endsWith(QLatin1Char(' ')))
            visible.chop(1);
    if (m_grid.horizontalAlignment(owner, row) != HorizontalAlignment::Left)
        while (visible.startsWith(QLatin1Char(' ')))
            visible.remove(0, 1);
    const int width = metrics.horizontalAdvance(visible);
    if (width > available && available > 0)
        font.setStretch(std::max(50, 100 * available / width));

    // The text is placed by hand rather than by drawText's alignment: the CJK font's line box is taller
    // than the short rows, and centring that box would push the glyphs onto the line below.
    const QFontMetrics fitted(font);
    const int textWidth = fitted.horizontalAdvance(text);
    int x = ownerRect.left() + 2;
    switch (m_grid.horizontalAlignment(owner, row)) {
    case HorizontalAlignment::Left: break;
    case HorizontalAlignment::Right: x = ownerRect.right() - 1 - textWidth; break;
    case HorizontalAlignment::Center:
        x = ownerRect.left() + (ownerRect.width() - fitted.horizontalAdvance(visible)) / 2 -
            (visible.isEmpty() ? 0 : fitted.horizontalAdvance(text.left(text.indexOf(visible))));
        break;
    }
    const int glyphHeight = fitted.capHeight() + 2;
    int baseline = ownerRect.top() + (ownerRect.height() + glyphHeight) / 2;
    switch (m_grid.verticalAlignment(owner, row)) {
    case VerticalAlignment::Top: baseline = ownerRect.top() + 1 + fitted.ascent(); break;
    case VerticalAlignment::Bottom: baseline = ownerRect.bottom() - fitted.descent(); break;
    case VerticalAlignment::Center: break;
    }

    painter->setClipRect(option.rect.intersected(spanRect));
    painter->setFont(font);
    painter->setPen(qcolor(m_grid.foreground(owner, row), qcolor(colours::kDefaultText)));
    painter->drawText(QPoint(x, baseline), text);
    painter->setClipping(false);
}

void ResultGridDelegate::paintBorders(QPainter* painter, const QRect& rect, int column, int row) const {
    const CellBorders own = m_grid.borders(column, row);
    // A shared edge shows if either cell draws it; each edge is painted once, by the cell left of or above it.
    auto edge = [&](BorderSide side, int otherColumn, int otherRow, BorderSide otherSide) -> std::optional<QColor> {
        if (own.has(side))
            return qcolor(own.colour(side), qcolor(colours::kDefaultBorder));
        if (m_grid.contains(otherColumn, otherRow)) {
            const CellBorders other = m_grid.borders(otherColumn, otherRow);
            if (other.has(otherSide))
                return qcolor(other.colour(otherSide), qcolor(colours::kDefaultBorder));
        }
        return std::nullopt;
    };
    painter->setClipping(false);
    if (auto colour = edge(BorderSide::Right, column + 1, row, BorderSide::Left)) {
        painter->setPen(*colour);
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }
    if (auto colour = edge(BorderSide::Bottom, column, row + 1, BorderSide::Top)) {
        painter->setPen(*colour);
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (column == 1 && own.has(BorderSide::Left)) {
        painter->setPen(qcolor(own.colour(BorderSide::Left), qcolor(colours::kDefaultBorder)));
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
    }
    if (row == 1 && own.has(BorderSide::Top)) {
        painter->setPen(qcolor(own.colour(BorderSide::Top), qcolor(colours::kDefaultBorder)));
        painter->drawLine(rect.topLeft(), rect.topRight());
    }
    // A left or top line of a cell whose neighbour there draws nothing is painted by the neighbour's
    // edge rule above; a cell at the table's edge paints its own.
}

} // namespace kazutama
