#include "grid/ui/TableDocument.h"

#include "grid/ResultGrid.h"
#include "grid/ui/FixedGridGeometry.h"
#include "grid/ui/GridMetrics.h"
#include "grid/ui/GridPainter.h"
#include "grid/ui/QtColour.h"
#include "gui/QtText.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace kazutama {

namespace {

// Grid pixels are screen pixels at 96 per inch; a page's painter is scaled from them.
constexpr qreal kGridDpi = 96.0;
constexpr int kGap = 12;          // under the header and between tables
constexpr int kTitleHeight = 18;  // a table's title line
constexpr int kFooterHeight = 22; // the page number line under the frame
constexpr int kLegendHeight = 18;
constexpr int kImageBand = 256; // rows of an image painted between two progress reports

QFont textFont(int pixels, bool bold = false) {
    QFont font = GridMetrics::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
QFont captionFont() {
    return textFont(16, true);
}
QFont descriptionFont() {
    return textFont(12);
}
QFont footerFont() {
    return textFont(10);
}

// A piece of a table on its page: the repeated heading rows and columns in the top and left band, the body
// rows and columns beside and under them. Cells off the page keep their places relative to the body, so a
// title that runs on from a cell on another page continues here, cut at the body's edge.
class PieceGeometry : public GridGeometry {
public:
    PieceGeometry(const FixedGridGeometry& full, const TablePiece& piece, QPoint origin)
        : m_full(full), m_piece(piece), m_origin(origin),
          m_headingWidth(piece.headingColumns.empty()
                             ? 0
                             : full.columnLeft(piece.headingColumns.last + 1) - full.columnLeft(1)),
          m_headingHeight(
              piece.headingRows.empty() ? 0 : full.rowTop(piece.headingRows.last + 1) - full.rowTop(1)) {}

    int columnLeft(int column) const override {
        if (column <= m_piece.headingColumns.last)
            return m_origin.x() + m_full.columnLeft(column) - m_full.columnLeft(1);
        return m_origin.x() + m_headingWidth + m_full.columnLeft(column) -
               m_full.columnLeft(m_piece.columns.first);
    }
    int columnWidth(int column) const override { return m_full.columnWidth(column); }
    int rowTop(int row) const override {
        if (row <= m_piece.headingRows.last)
            return m_origin.y() + m_full.rowTop(row) - m_full.rowTop(1);
        return m_origin.y() + m_headingHeight + m_full.rowTop(row) - m_full.rowTop(m_piece.rows.first);
    }
    int rowHeight(int row) const override { return m_full.rowHeight(row); }

private:
    const FixedGridGeometry& m_full;
    const TablePiece& m_piece;
    QPoint m_origin;
    int m_headingWidth, m_headingHeight;
};

GridBlock blockOf(GridRange columns, GridRange rows) {
    return {columns.first, columns.last, rows.first, rows.last};
}

} // namespace

TableDocument::TableDocument(QString caption, QString description)
    : m_caption(std::move(caption)), m_description(std::move(description)) {}

void TableDocument::addTable(const ResultGrid& grid, QString title) {
    m_tables.push_back({&grid, std::move(title), {}, {}});
}

void TableDocument::addPicture(QString title, QSize size, PaintPicture paint) {
    m_tables.push_back({nullptr, std::move(title), size, std::move(paint)});
}

const ResultGrid* TableDocument::firstTable() const {
    const auto table = std::find_if(m_tables.begin(), m_tables.end(), [](const Table& t) { return t.grid; });
    return table == m_tables.end() ? nullptr : table->grid;
}

QSize TableDocument::itemSize(const Table& table) {
    return table.grid ? FixedGridGeometry(*table.grid).size() : table.pictureSize;
}

TableSizes TableDocument::sizesOf(const ResultGrid& grid) {
    TableSizes sizes;
    sizes.columnWidths.reserve(std::size_t(grid.columnCount()));
    for (int column = 1; column <= grid.columnCount(); ++column)
        sizes.columnWidths.push_back(GridMetrics::columnPixels(grid.columnWidth(column)));
    sizes.rowHeights.reserve(std::size_t(grid.rowCount()));
    for (int row = 1; row <= grid.rowCount(); ++row)
        sizes.rowHeights.push_back(GridMetrics::rowPixels(grid.rowHeight(row)));
    sizes.headingRows = grid.headingRows();
    sizes.headingColumns = grid.headingColumns();
    sizes.footerRows = grid.footerRows();
    return sizes;
}

QPageLayout TableDocument::pageLayout() const {
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
    int widest = 0;
    for (const Table& table : m_tables)
        widest = std::max(widest, itemSize(table).width());
    if (widest > layout.paintRectPixels(int(kGridDpi)).width())
        layout.setOrientation(QPageLayout::Landscape);
    return layout;
}

int TableDocument::headerHeight(int width) const {
    int height = QFontMetrics(captionFont()).height() + 4;
    if (!m_description.isEmpty())
        height += QFontMetrics(descriptionFont())
                      .boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, m_description)
                      .height() +
                  4;
    if (!m_legend.empty())
        height += kLegendHeight;
    return height;
}

TableDocument::Layout TableDocument::layOut(QSize frame) const {
    Layout layout;
    const PageFrame pageFrame{frame.width(), frame.height() - kFooterHeight};
    layout.items.push_back({Placed::Kind::Header, 0, {}, 0, 0, {}});
    PageCursor cursor{0, headerHeight(frame.width()) + kGap};
    for (std::size_t index = 0; index < m_tables.size(); ++index) {
        const Table& table = m_tables[index];
        if (!table.grid) {
            const int titleHeight = table.title.isEmpty() ? 0 : kTitleHeight;
            const QSize size(
                std::max(1, std::min(table.pictureSize.width(), pageFrame.width)),
                std::max(1, std::min(table.pictureSize.height(), pageFrame.height - titleHeight)));
            if (cursor.top > 0 && cursor.top + titleHeight + size.height() > pageFrame.height)
                cursor = {cursor.page + 1, 0};
            if (titleHeight > 0)
                layout.items.push_back({Placed::Kind::Title, int(index), {}, cursor.page, cursor.top, {}});
            cursor.top += titleHeight;
            layout.items.push_back({Placed::Kind::Picture, int(index), {}, cursor.page, cursor.top, size});
            cursor.top += size.height() + kGap;
            continue;
        }
        const TableSizes sizes = sizesOf(*table.grid);
        if (!table.title.isEmpty()) {
            // The title stays with the table's headings and first row.
            int start = kTitleHeight;
            for (int row = 0; row < std::min<int>(sizes.headingRows + 1, int(sizes.rowHeights.size())); ++row)
                start += sizes.rowHeights[std::size_t(row)];
            if (cursor.top > 0 && cursor.top + start > pageFrame.height)
                cursor = {cursor.page + 1, 0};
            layout.items.push_back({Placed::Kind::Title, int(index), {}, cursor.page, cursor.top, {}});
            cursor.top += kTitleHeight;
        }
        for (const TablePiece& piece : paginate(sizes, pageFrame, cursor))
            layout.items.push_back({Placed::Kind::Piece, int(index), piece, piece.page, piece.top, {}});
        cursor.top += kGap;
    }
    for (const Placed& item : layout.items)
        layout.pages = std::max(layout.pages, item.page + 1);
    return layout;
}

int TableDocument::pageCount(const QPageLayout& layout) const {
    return layOut(layout.paintRectPixels(int(kGridDpi)).size()).pages;
}

QSize TableDocument::frameOf(const QPagedPaintDevice& device, qreal& scale) {
    scale = device.logicalDpiX() / kGridDpi;
    return QSize(int(device.width() / scale), int(device.height() / scale));
}

bool TableDocument::print(QPagedPaintDevice& device, const Progress& progress) const {
    qreal scale = 1;
    const QSize frame = frameOf(device, scale);
    const Layout layout = layOut(frame);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(scale, scale);
    int page = 0;
    for (const Placed& item : layout.items) {
        if (item.page != page) {
            paintFooter(painter, frame, page, layout.pages);
            if (progress && !progress(page + 1, layout.pages)) {
                painter.end();
                return false;
            }
            for (; page < item.page; ++page)
                if (!device.newPage()) {
                    painter.end();
                    return false;
                }
        }
        switch (item.kind) {
        case Placed::Kind::Header:
            paintHeader(painter, frame.width());
            break;
        case Placed::Kind::Title:
            paintTitle(painter, m_tables[std::size_t(item.table)].title, item.top, frame.width());
            break;
        case Placed::Kind::Piece:
            paintPiece(painter, *m_tables[std::size_t(item.table)].grid, item.piece, item.top);
            break;
        case Placed::Kind::Picture:
            paintPicture(painter, m_tables[std::size_t(item.table)], item.top, item.size);
            break;
        }
    }
    paintFooter(painter, frame, page, layout.pages);
    if (progress)
        progress(layout.pages, layout.pages);
    return painter.end();
}

void TableDocument::paintHeader(QPainter& painter, int width) const {
    painter.setPen(Qt::black);
    painter.setFont(captionFont());
    const int captionHeight = QFontMetrics(captionFont()).height();
    painter.drawText(QRect(0, 0, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    int top = captionHeight + 4;
    if (!m_description.isEmpty()) {
        painter.setFont(descriptionFont());
        const QRect bounds = painter.fontMetrics().boundingRect(QRect(0, top, width, 1 << 20),
                                                                Qt::TextWordWrap, m_description);
        painter.drawText(QRect(0, top, width, bounds.height()), Qt::TextWordWrap, m_description);
        top += bounds.height() + 4;
    }
    if (m_legend.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(descriptionFont());
    int x = 0;
    for (const LegendEntry& mark : m_legend) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(qcolor(mark.colour));
        const QRectF box(x + 2.5, top + 3.5, 11, 11);
        if (mark.mark == LegendEntry::Mark::Dot)
            painter.drawEllipse(box);
        else
            painter.drawRect(box);
        painter.setPen(Qt::black);
        const QString caption = qs(mark.caption);
        const int textWidth = painter.fontMetrics().horizontalAdvance(caption);
        painter.drawText(QRect(x + 18, top, textWidth + 2, kLegendHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         caption);
        x += 18 + textWidth + 14;
    }
    painter.restore();
}

void TableDocument::paintTitle(QPainter& painter, const QString& title, int top, int width) const {
    painter.setPen(Qt::black);
    painter.setFont(descriptionFont());
    painter.drawText(QRect(0, top, width, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void TableDocument::paintPiece(QPainter& painter, const ResultGrid& grid, const TablePiece& piece,
                               int top) const {
    const FixedGridGeometry full(grid);
    const PieceGeometry geometry(full, piece, QPoint(0, top));
    const GridPainter cells(grid);
    for (const GridBlock& block :
         {blockOf(piece.headingColumns, piece.headingRows), blockOf(piece.columns, piece.headingRows),
          blockOf(piece.headingColumns, piece.rows), blockOf(piece.columns, piece.rows)})
        cells.paintCells(painter, geometry, block);
}

void TableDocument::paintPicture(QPainter& painter, const Table& picture, int top, QSize size) {
    painter.save();
    painter.translate(0, top);
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
    picture.paint(painter, size);
    painter.restore();
}

void TableDocument::paintFooter(QPainter& painter, QSize frame, int page, int pages) const {
    painter.setPen(Qt::black);
    painter.setFont(footerFont());
    const QRect line(0, frame.height() - kFooterHeight + 6, frame.width(), kFooterHeight - 6);
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    if (page > 0)
        painter.drawText(line, Qt::AlignRight | Qt::AlignBottom, m_caption);
}

QSize TableDocument::imageSize() const {
    int width = 0, height = 0;
    for (const Table& table : m_tables) {
        const QSize size = itemSize(table);
        width = std::max(width, size.width());
        height += (height > 0 ? kGap : 0) + (table.title.isEmpty() ? 0 : kTitleHeight) + size.height();
    }
    return QSize(width, height);
}

QImage TableDocument::image(const Progress& progress) const {
    QImage image(imageSize(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    int top = 0, done = 0, total = 0;
    for (const Table& table : m_tables)
        total += table.grid ? table.grid->rowCount() : 1;
    for (const Table& table : m_tables) {
        if (top > 0)
            top += kGap;
        if (!table.title.isEmpty()) {
            paintTitle(painter, table.title, top, image.width());
            top += kTitleHeight;
        }
        if (!table.grid) {
            paintPicture(painter, table, top, table.pictureSize);
            top += table.pictureSize.height();
            if (progress && !progress(++done, total))
                return QImage();
            continue;
        }
        const FixedGridGeometry geometry(*table.grid, QPoint(0, top));
        const GridPainter cells(*table.grid);
        for (int first = 1; first <= table.grid->rowCount(); first += kImageBand) {
            const int last = std::min(first + kImageBand - 1, table.grid->rowCount());
            cells.paintCells(painter, geometry, GridBlock::rows(first, last));
            done += last - first + 1;
            if (progress && !progress(done, total))
                return QImage();
        }
        top += geometry.size().height();
    }
    return image;
}

} // namespace kazutama
