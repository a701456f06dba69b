#pragma once

#include "grid/GridPages.h"
#include "grid/Rgb.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kazutama {

class ResultGrid;

// One or more tables with the texts that explain them (the window's caption and description and its colour
// legend), as a window shows them, laid out on pages or as one image. Each table is painted by the same
// GridPainter as the screen, at the same pixel sizes; a page's painter is scaled from those pixels.
class TableDocument {
public:
    // A colour mark of the legend: a dot or a square, and its caption.
    struct Mark {
        bool dot = true;
        Rgb colour;
        QString caption;
    };
    // Told after each page or band of rows; false cancels.
    using Progress = std::function<bool(int done, int total)>;

    explicit TableDocument(QString caption, QString description = {});

    void setLegend(std::vector<Mark> legend) { m_legend = std::move(legend); }
    // The grid must outlive the document. A title, if given, stands over the table.
    void addTable(const ResultGrid& grid, QString title = {});

    const QString& caption() const { return m_caption; }
    // The first table: the one a CSV or HTML file holds.
    const ResultGrid& firstTable() const { return *m_tables.front().grid; }

    // A4 with margins of 10 mm, upright when the widest table fits across the page, else on its side.
    QPageLayout pageLayout() const;
    // How the tables fall on pages of `layout`: every piece of every table, page by page.
    int pageCount(const QPageLayout& layout) const;
    // Paints every page on `device` (a printer, a PDF writer) with its own page layout. False when
    // `progress` cancelled or the device refused a page.
    bool print(QPagedPaintDevice& device, const Progress& progress = {}) const;

    // The tables one under another, at their screen size, without the description.
    QSize imageSize() const;
    // Null when `progress` cancelled.
    QImage image(const Progress& progress = {}) const;

private:
    struct Table {
        const ResultGrid* grid;
        QString title;
    };
    // Something to paint on one page, at a place in the page's frame.
    struct Placed {
        enum class Kind { Header, Title, Piece } kind;
        int table = 0;
        TablePiece piece;
        int page = 0;
        int top = 0;
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
    void paintFooter(QPainter& painter, QSize frame, int page, int pages) const;
    static TableSizes sizesOf(const ResultGrid& grid);
    static QSize frameOf(const QPagedPaintDevice& device, qreal& scale);

    QString m_caption;
    QString m_description;
    std::vector<Mark> m_legend;
    std::vector<Table> m_tables;
};

} // namespace kazutama
