#include "grid/ui/GridPainter.h"

#include "grid/Colours.h"
#include "grid/ResultGrid.h"
#include "grid/ui/FixedGridGeometry.h"
#include "grid/ui/GridGeometry.h"
#include "grid/ui/QtColour.h"
#include "gui/QtText.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

namespace kazutama {

namespace {

// Texts measured so far are kept up to this many; a table's distinct texts are usually far fewer.
constexpr std::size_t kMeasuredLimit = 1 << 14;
// Antialiased glyph edges may reach a pixel beyond the measured ink.
constexpr int kInkMargin = 1;
// A pixel lighter than this grey shows no glyph.
constexpr int kInkGrey = 232;
// A text is made at most this many pixels smaller to fit a short row: smaller still, Japanese is hard to
// read, and a bracket coming within a pixel of a line is the lesser harm.
constexpr int kMostPixelsSmaller = 4;

int blanksFrom(const QString& text, bool fromEnd, bool fullWidthToo = false) {
    const auto blank = [&](QChar c) { return c == QLatin1Char(' ') || (fullWidthToo && c == QChar(0x3000)); };
    int count = 0;
    while (count < text.size() && blank(text[fromEnd ? text.size() - 1 - count : count]))
        ++count;
    return count;
}

} // namespace

GridPainter::Face::Face(const QFont& f)
    : font(f), metrics(f), capHeight(metrics.capHeight()), ascent(metrics.ascent()),
      descent(metrics.descent()), staticAscent(QFontMetricsF(f).ascent()), measured(cacheFor(f)) {}

GridPainter::GridPainter(const ResultGrid& grid, const QFont& font) : m_grid(grid), m_face(font) {}

const GridPainter::Face& GridPainter::smallerFace(std::string_view text, int room) const {
    // Glyph heights scale with the size, so the first guess usually fits; the loop makes sure.
    const int size = QFontInfo(m_face.font).pixelSize();
    const MeasuredText& full = measured(m_face, text);
    const int smallest = std::max(1, size - kMostPixelsSmaller);
    for (int pixels = std::max(smallest, size * room / std::max(1, inkFor(m_face, full, room).height()));;
         --pixels) {
        QFont smaller = m_face.font;
        smaller.setPixelSize(pixels);
        const Face& face = faceFor(smaller);
        if (pixels <= smallest || inkFor(face, measured(face, text), room).height() <= room)
            return face;
    }
}

const GridPainter::Face& GridPainter::faceFor(const QFont& font) {
    // Faces hold font engines, which must go before the application that owns them does.
    static std::map<QString, Face>* faces = [] {
        auto* made = new std::map<QString, Face>;
        qAddPostRoutine([] { faces->clear(); });
        return made;
    }();
    return faces->try_emplace(font.key(), font).first->second;
}

QRect GridPainter::inkFor(const Face& face, const MeasuredText& text, int room) {
    if (text.ink.height() <= room || text.ink.isEmpty())
        return text.ink;
    if (!text.paintedInk) {
        const QRect box = text.ink.adjusted(-2, -2, 2, 2);
        QImage image(box.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            painter.setFont(face.font);
            painter.drawStaticText(QPointF(-box.left(), -box.top() - face.staticAscent), text.shaped);
        }
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qGray(line[x]) < kInkGrey)
                    ink |= QRect(x, y, 1, 1);
        }
        text.paintedInk = ink.isEmpty() ? text.ink : ink.translated(box.topLeft());
    }
    return *text.paintedInk;
}

GridPainter::TextCache& GridPainter::cacheFor(const QFont& font) {
    // Shaped texts hold font engines, which must go before the application that owns them does.
    static std::map<QString, TextCache>* caches = [] {
        auto* made = new std::map<QString, TextCache>;
        qAddPostRoutine([] { caches->clear(); });
        return made;
    }();
    return (*caches)[font.key()];
}

const GridPainter::MeasuredText& GridPainter::measured(const Face& face, std::string_view text) const {
    TextCache& cache = face.measured;
    if (const auto found = cache.find(text); found != cache.end())
        return found->second;
    if (cache.size() >= kMeasuredLimit)
        cache.clear();
    MeasuredText m;
    m.text = qs(text);
    m.leadingBlanks = blanksFrom(m.text, false);
    m.trailingBlanks = blanksFrom(m.text, true);
    const auto advance = [&](int from, int count) {
        return count <= 0 ? 0 : face.metrics.horizontalAdvance(m.text.mid(from, count));
    };
    const int length = int(m.text.size());
    m.width = face.metrics.horizontalAdvance(m.text);
    m.leadWidth = advance(0, m.leadingBlanks);
    // Blanks at the end a text grows to take no visible room; a text of blanks alone shows nothing.
    m.visibleWidth[int(HorizontalAlignment::Left)] = advance(0, length - m.trailingBlanks);
    m.visibleWidth[int(HorizontalAlignment::Right)] = advance(m.leadingBlanks, length - m.leadingBlanks);
    m.visibleWidth[int(HorizontalAlignment::Center)] =
        advance(m.leadingBlanks, length - m.leadingBlanks - m.trailingBlanks);
    const int titleLeading = blanksFrom(m.text, false, true), titleTrailing = blanksFrom(m.text, true, true);
    m.centredByBlanks = titleLeading > 0 && titleTrailing > 0 && titleLeading < length;
    if (m.centredByBlanks) {
        m.titleWidth = advance(titleLeading, length - titleLeading - titleTrailing);
        m.titleLead = advance(0, titleLeading);
    }
    m.ink = face.metrics.tightBoundingRect(m.text);
    m.shaped.setText(m.text);
    m.shaped.setTextFormat(Qt::PlainText);
    m.shaped.prepare(QTransform(), face.font);
    return cache.emplace(text, std::move(m)).first->second;
}

void GridPainter::paintCells(QPainter& painter, const GridGeometry& geometry, const GridBlock& block) const {
    const ResultGrid::Range cells = m_grid.clip(block);
    if (cells.empty())
        return;
    const auto [firstColumn, lastColumn, firstRow, lastRow] = cells;

    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            paintBackground(painter, column, row, geometry.cellRect(column, row));
    // Texts the painter's clip leaves out are not laid out at all: a view paints the cells next to the area
    // it shows (the row and column it takes the lines of), and a view with frozen headings paints in panes.
    const std::optional<QRect> clip =
        painter.hasClipping() ? std::optional(painter.clipBoundingRect().toAlignedRect()) : std::nullopt;
    for (int row = firstRow; row <= lastRow; ++row) {
        QRect rowRect = geometry.spanRect({firstColumn, lastColumn}, row);
        if (clip && (rowRect &= *clip).isEmpty())
            continue;
        int painted = 0; // a text covers neighbouring cells only, so each shows once
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const TextCover cover = m_grid.textCover(column, row);
            if (cover.empty() || cover.owner == painted)
                continue;
            paintText(painter, geometry, cover, row, rowRect);
            painted = cover.owner;
        }
    }
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            paintBorders(painter, column, row, geometry.cellRect(column, row), column == firstColumn,
                         row == firstRow);
}

void GridPainter::paintBackground(QPainter& painter, int column, int row, const QRect& rect) const {
    painter.fillRect(rect, qcolor(m_grid.background(column, row).value_or(colours::kDefaultBackground)));
}

GridPainter::Layout GridPainter::layout(const GridGeometry& geometry, const TextCover& cover, int row) const {
    const int owner = cover.owner;
    const QRect ownerRect = geometry.cellRect(owner, row);
    const QRect spanRect = geometry.spanRect(cover.span, row);
    const std::string_view text = m_grid.text(owner, row);
    // Glyphs keep a pixel from the row's lines: from the row above's last pixel row and from its own. Round
    // brackets reach further up and down than the letters they enclose, so a text is fitted by its letters
    // and its brackets may come to the lines; fitted with them, a bracketed heading would shrink unreadably.
    std::string withoutBrackets;
    if (text.find_first_of("()") != std::string_view::npos) {
        std::remove_copy_if(text.begin(), text.end(), std::back_inserter(withoutBrackets),
                            [](char c) { return c == '(' || c == ')'; });
    }
    const std::string_view letters = withoutBrackets.empty() ? text : std::string_view(withoutBrackets);
    const int inkTop = ownerRect.top() + 1, inkBottom = ownerRect.bottom() - 2;
    const int inkRoom = inkBottom - inkTop + 1;
    const Face* face = &m_face;
    if (const MeasuredText& full = measured(m_face, letters);
        inkFor(m_face, full, inkRoom).height() > inkRoom) {
        if (full.smallerRoom != inkRoom) {
            full.smaller = &smallerFace(letters, inkRoom);
            full.smallerRoom = inkRoom;
        }
        face = full.smaller;
    }
    // Measured in this order: a text measured later may empty the cache, and the ink rectangle is a copy.
    const QRect glyphs = inkFor(*face, measured(*face, letters), inkRoom);
    const MeasuredText& m = measured(*face, text);

    HorizontalAlignment alignment = m_grid.horizontalAlignment(owner, row);
    QRect placeRect = ownerRect; // what the text is aligned in
    Fitted fitted{m.width,      m.visibleWidth[int(alignment)], m.leadWidth, face->capHeight, face->ascent,
                  face->descent};
    int leadingBlanks = m.leadingBlanks, trailingBlanks = m.trailingBlanks;
    if (alignment == HorizontalAlignment::Left && m.centredByBlanks) {
        // Centred over the cells it runs on across, up to the first line across the row.
        int last = owner;
        while (last < cover.span.last && !lineBetween(last, row))
            ++last;
        placeRect = geometry.spanRect({owner, last}, row);
        alignment = HorizontalAlignment::Center;
        fitted.visibleWidth = m.titleWidth;
        fitted.leadWidth = m.titleLead;
        leadingBlanks = blanksFrom(m.text, false, true);
        trailingBlanks = blanksFrom(m.text, true, true);
    }
    // A centred text grows both ways, so only the room on its narrower side counts twice.
    const int room = alignment == HorizontalAlignment::Center
                         ? placeRect.width() + 2 * std::min(placeRect.left() - spanRect.left(),
                                                            spanRect.right() - placeRect.right())
                         : spanRect.width();
    const int available = room - 3;
    return {face,      &m,     glyphs,        inkTop,         inkBottom, alignment,
            placeRect, fitted, leadingBlanks, trailingBlanks, available};
}

bool GridPainter::narrows(const GridGeometry& geometry, const TextCover& cover, int row) const {
    const Layout l = layout(geometry, cover, row);
    return l.fitted.visibleWidth > l.available &&
           !holdsLines(wrappedLines(l, cover.owner), geometry.rowHeight(row));
}

std::vector<QString> GridPainter::wrappedLines(const Layout& l, int owner) const {
    const QString& text = l.m->text;
    if (!m_grid.textWraps(owner) || l.fitted.visibleWidth <= l.available)
        return {text};
    // Pieces that end after a comma or before a blank; a blank a line breaks at is not shown.
    std::vector<QString> lines;
    QString line;
    const auto width = [&](const QString& s) { return l.face->metrics.horizontalAdvance(s.trimmed()); };
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char(',') &&
               (end == start || text[end] != QLatin1Char(' ')))
            ++end;
        if (end < text.size() && text[end] == QLatin1Char(','))
            ++end;
        const QString piece = text.mid(start, end - start);
        start = end;
        if (!line.trimmed().isEmpty() && width(line + piece) > l.available) {
            lines.push_back(line.trimmed());
            line = piece.trimmed();
        } else {
            line += piece;
        }
    }
    if (!line.trimmed().isEmpty() || lines.empty())
        lines.push_back(line.trimmed());
    return lines;
}

bool GridPainter::holdsLines(const std::vector<QString>& lines, int rowPixels) {
    return lines.size() > 1 &&
           int(lines.size()) * GridMetrics::rowPixels(GridMetrics::kWrappedLineHeight) <= rowPixels;
}

void GridPainter::fitWrappedRows(ResultGrid& grid) {
    bool wraps = false;
    for (int column = 1; column <= grid.columnCount() && !wraps; ++column)
        wraps = grid.textWraps(column);
    if (!wraps)
        return;
    std::vector<std::pair<int, std::size_t>> tallRows; // (row, lines)
    {
        const GridPainter painter(grid);
        const FixedGridGeometry geometry(grid);
        for (int row = 1; row <= grid.rowCount(); ++row) {
            std::size_t most = 1;
            for (int column = 1; column <= grid.columnCount(); ++column) {
                const TextCover cover = grid.textCover(column, row);
                if (cover.owner == column && grid.textWraps(column))
                    most = std::max(
                        most, painter.wrappedLines(painter.layout(geometry, cover, row), column).size());
            }
            if (most > 1)
                tallRows.emplace_back(row, most);
        }
    }
    for (const auto& [row, lines] : tallRows)
        grid.setRowHeight(row,
                          std::max(grid.rowHeight(row), double(lines) * GridMetrics::kWrappedLineHeight));
}

void GridPainter::paintLines(QPainter& painter, const Layout& l, const std::vector<QString>& lines,
                             const QRect& ownerRect) const {
    const int pitch = GridMetrics::rowPixels(GridMetrics::kWrappedLineHeight);
    const int top = ownerRect.top() + (ownerRect.height() - int(lines.size()) * pitch) / 2;
    if (painter.font() != l.face->font)
        painter.setFont(l.face->font);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int width = l.face->metrics.horizontalAdvance(lines[i]);
        int x = l.placeRect.left() + 2;
        if (l.alignment == HorizontalAlignment::Right)
            x = l.placeRect.right() - 1 - width;
        else if (l.alignment == HorizontalAlignment::Center)
            x = l.placeRect.left() + (l.placeRect.width() - width) / 2;
        painter.drawText(QPoint(x, top + int(i) * pitch + (pitch + l.face->capHeight + 2) / 2), lines[i]);
    }
}

void GridPainter::paintText(QPainter& painter, const GridGeometry& geometry, const TextCover& cover, int row,
                            const QRect& clip) const {
    const int owner = cover.owner;
    const QRect ownerRect = geometry.cellRect(owner, row);
    const QRect spanRect = geometry.spanRect(cover.span, row);
    const QRect visible = clip.intersected(spanRect);
    if (visible.isEmpty())
        return;

    Layout l = layout(geometry, cover, row);
    if (std::vector<QString> lines; m_grid.textWraps(owner) && l.fitted.visibleWidth > l.available &&
                                    holdsLines(lines = wrappedLines(l, owner), ownerRect.height())) {
        const QColor colour = qcolor(m_grid.foreground(owner, row).value_or(colours::kDefaultText));
        if (painter.pen().color() != colour || painter.pen().style() != Qt::SolidLine)
            painter.setPen(colour);
        painter.save();
        painter.setClipRect(visible, Qt::IntersectClip);
        paintLines(painter, l, lines, ownerRect);
        painter.restore();
        return;
    }
    const Face* face = l.face;
    const MeasuredText& m = *l.m;
    const QRect glyphs = l.glyphs;
    const int inkTop = l.inkTop, inkBottom = l.inkBottom;
    const HorizontalAlignment alignment = l.alignment;
    const QRect placeRect = l.placeRect;
    Fitted fitted = l.fitted;
    const int leadingBlanks = l.leadingBlanks, trailingBlanks = l.trailingBlanks, available = l.available;
    std::optional<QFont> narrowed;
    if (fitted.visibleWidth > available && available > 0) {
        narrowed.emplace(face->font);
        narrowed->setStretch(std::max(50, 100 * available / fitted.visibleWidth));
        fitted = fit(*narrowed, m.text, alignment, leadingBlanks, trailingBlanks);
    }

    // The text is placed by hand rather than by drawText's alignment: the CJK font's line box is taller
    // than the short rows, and centring that box would push the glyphs onto the line below.
    int x = placeRect.left() + 2;
    switch (alignment) {
    case HorizontalAlignment::Left:
        break;
    case HorizontalAlignment::Right:
        x = placeRect.right() - 1 - fitted.width;
        break;
    case HorizontalAlignment::Center:
        x = placeRect.left() + (placeRect.width() - fitted.visibleWidth) / 2 -
            (leadingBlanks < m.text.size() ? fitted.leadWidth : 0);
        break;
    }
    int baseline = ownerRect.top() + (ownerRect.height() + fitted.capHeight + 2) / 2;
    switch (m_grid.verticalAlignment(owner, row)) {
    case VerticalAlignment::Top:
        baseline = ownerRect.top() + 1 + fitted.ascent;
        break;
    case VerticalAlignment::Bottom:
        baseline = ownerRect.bottom() - fitted.descent;
        break;
    case VerticalAlignment::Center:
        break;
    }
    if (!glyphs.isEmpty()) {
        if (baseline + glyphs.bottom() > inkBottom)
            baseline = inkBottom - glyphs.bottom();
        if (baseline + glyphs.top() < inkTop)
            baseline = inkTop - glyphs.top();
    }
    // A cell the text does not reach has nothing to draw; one the text lies inside of needs no clipping.
    const QRect ink =
        m.ink.translated(x, baseline).adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    const bool cut = narrowed || !visible.contains(ink);
    if (cut && !narrowed && !visible.intersects(ink))
        return;

    if (cut) {
        painter.save();
        painter.setClipRect(visible, Qt::IntersectClip);
    }
    // Setting a pen or a font makes the painter resolve them anew, so unchanged ones are left in place.
    const QColor colour = qcolor(m_grid.foreground(owner, row).value_or(colours::kDefaultText));
    if (painter.pen().color() != colour || painter.pen().style() != Qt::SolidLine)
        painter.setPen(colour);
    if (narrowed) {
        painter.setFont(*narrowed);
        painter.drawText(QPoint(x, baseline), m.text);
    } else {
        // Shaped once per text: most cells of a table repeat a few texts.
        if (painter.font() != face->font)
            painter.setFont(face->font);
        painter.drawStaticText(QPointF(x, baseline - face->staticAscent), m.shaped);
    }
    if (cut)
        painter.restore();
}

bool GridPainter::lineBetween(int leftColumn, int row) const {
    return m_grid.borders(leftColumn, row).has(BorderSide::Right) ||
           (m_grid.contains(leftColumn + 1, row) &&
            m_grid.borders(leftColumn + 1, row).has(BorderSide::Left));
}

GridPainter::Fitted GridPainter::fit(const QFont& font, const QString& text, HorizontalAlignment alignment,
                                     int leadingBlanks, int trailingBlanks) {
    const QFontMetrics metrics(font);
    const int length = int(text.size());
    const int from = alignment == HorizontalAlignment::Left ? 0 : leadingBlanks;
    const int to = alignment == HorizontalAlignment::Right ? length : length - trailingBlanks;
    return Fitted{metrics.horizontalAdvance(text),
                  to > from ? metrics.horizontalAdvance(text.mid(from, to - from)) : 0,
                  metrics.horizontalAdvance(text.left(leadingBlanks)),
                  metrics.capHeight(),
                  metrics.ascent(),
                  metrics.descent()};
}

void GridPainter::paintBorders(QPainter& painter, int column, int row, const QRect& rect, bool leftEdge,
                               bool topEdge) const {
    const CellBorders own = m_grid.borders(column, row);
    // A shared edge shows if either cell draws it. When both do, a line given its own colour (a red divider,
    // a light-blue frame) shows over a line in the default colour; otherwise the left or upper cell's line
    // shows. The rule looks at both cells alike, so an edge keeps its colour wherever the view is scrolled.
    // Lines are one pixel wide and straight, so a filled rectangle draws them, at a fraction of a stroke's
    // cost.
    const auto edge = [&](BorderSide side, int otherColumn, int otherRow, BorderSide otherSide,
                          const QRect& line) {
        const bool ownFirst = side == BorderSide::Right || side == BorderSide::Bottom;
        const CellBorders other =
            m_grid.contains(otherColumn, otherRow) ? m_grid.borders(otherColumn, otherRow) : CellBorders{};
        const bool ownHas = own.has(side), otherHas = other.has(otherSide);
        if (!ownHas && !otherHas)
            return;
        const std::optional<Rgb> ownColour = ownHas ? own.colour(side) : std::nullopt;
        const std::optional<Rgb> otherColour = otherHas ? other.colour(otherSide) : std::nullopt;
        const std::optional<Rgb>& first = ownFirst ? ownColour : otherColour;
        const std::optional<Rgb>& second = ownFirst ? otherColour : ownColour;
        painter.fillRect(line, qcolor(first.value_or(second.value_or(colours::kDefaultBorder))));
    };
    edge(BorderSide::Right, column + 1, row, BorderSide::Left,
         QRect(rect.right(), rect.top(), 1, rect.height()));
    edge(BorderSide::Bottom, column, row + 1, BorderSide::Top,
         QRect(rect.left(), rect.bottom(), rect.width(), 1));
    if (leftEdge)
        edge(BorderSide::Left, column - 1, row, BorderSide::Right,
             QRect(rect.left(), rect.top(), 1, rect.height()));
    if (topEdge)
        edge(BorderSide::Top, column, row - 1, BorderSide::Bottom,
             QRect(rect.left(), rect.top(), rect.width(), 1));
}

} // namespace kazutama
