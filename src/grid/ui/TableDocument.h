#pragma once

#include "grid/GridPages.h"
#include "grid/LegendEntry.h"

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <span>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kazutama {

class ResultGrid;

// One or more tables with the texts that explain them (the window's caption and description and its colour
// legend), as a window shows them, laid out on pages or as one image. Each table is painted by the same
// GridPainter as the screen, at the same pixel sizes; a page's painter is scaled from those pixels. Pictures
// (charts) may stand among the tables.
class TableDocument {
public:
    // Told after each page or band of rows; false cancels.
    using Progress = std::function<bool(int done, int total)>;
    // Paints a picture into the rectangle (0, 0, size) of the painter.
    using PaintPicture = std::function<void(QPainter& painter, QSize size)>;

    explicit TableDocument(QString caption, QString description = {});

    // The captions must outlive the document.
    void setLegend(std::span<const LegendEntry> legend) { m_legend.assign(legend.begin(), legend.end()); }
    // The grid must outlive the document. A title, if given, stands over the table.
    void addTable(const ResultGrid& grid, QString title = {});
    // A picture of `size` pixels, kept whole on one page: it starts a new page where it does not fit under
    // what comes before, and gets a smaller size where it is larger than a page. `paint` is asked for it at
    // the size it gets, as often as it is painted.
    void addPicture(QString title, QSize size, PaintPicture paint);

    const QString& caption() const { return m_caption; }
    // The first table: the one a CSV or HTML file holds. Null when the document holds only pictures.
    const ResultGrid* firstTable() const;

    // A4 with margins of 10 mm, upright when the widest table fits across the page, else on its side.
    QPageLayout pageLayout() const;
    // How the tables fall on pages of `layout`: every piece of every table, page by page.
    int pageCount(const QPageLayout& layout) const;
    // Paints every page on `device` (a printer, a PDF writer) with its own page layout. False when
    // `progress` cancelled or the device refused a page.
    bool print(QPagedPaintDevice& device, const Progress& progress = {}) const;

    // The tables and pictures one under another, at their own sizes, without the description.
    QSize imageSize() const;
    // Null when `progress` cancelled.
    QImage image(const Progress& progress = {}) const;

private:
    // A table (grid set) or a picture (paint set).
    struct Table {
        const ResultGrid* grid;
        QString title;
        QSize pictureSize;
        PaintPicture paint;
    };
    // Something to paint on one page, at a place in the page's frame.
    struct Placed {
        enum class Kind { Header, Title, Piece, Picture } kind;
        int table = 0;
        TablePiece piece;
        int page = 0;
        int top = 0;
        QSize size; // of a picture
    };
    struct Layout {
        int pages = 0;
        std::vector<Placed> items; // in page order
    };

    Layout layOut(QSize frame) const;
    int headerHeight(int width) const;
    void paintHeader(QPainter& painter, int width) const;
    void paintTitle(QPainter& painter, const QString& title, int top, int width) const;
    void paintPiece(QPainter& painter, const ResultGrid& grid, const TablePiece& piece, int top) const;
    static void paintPicture(QPainter& painter, const Table& picture, int top, QSize size);
    static QSize itemSize(const Table& table);
    void paintFooter(QPainter& painter, QSize frame, int page, int pages) const;
    static TableSizes sizesOf(const ResultGrid& grid);
    static QSize frameOf(const QPagedPaintDevice& device, qreal& scale);

    QString m_caption;
    QString m_description;
    std::vector<LegendEntry> m_legend;
    std::vector<Table> m_tables;
};

} // namespace kazutama
