#pragma once

#include "grid/CellFormat.h"
#include "grid/GridBlock.h"
#include "grid/ui/GridMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

class QPainter;

namespace kazutama {

class GridGeometry;
class ResultGrid;

// Paints cells of a ResultGrid onto any QPainter (screen, printer, image) at the places a GridGeometry gives:
// backgrounds, borders, and texts, including texts that run on into empty neighbours. Texts that would be
// cut are narrowed to fit their span, down to half their width, and cut at its ends beyond that.
//
// Texts are measured and shaped in screen pixels once per font for the whole program, so that a view opened
// again, or a page printed after the view was shown, lays out none of its texts anew; a printer's painter is
// scaled to those pixels. Measured at 32,000 draws: measuring and shaping anew for each painter makes
// opening a table take 1.7 to 3.4 times as long and scrolling 2.4 to 4.2 times (a page of the widest
// table 14.2 ms instead of 3.41).
class GridPainter {
public:
    explicit GridPainter(const ResultGrid& grid, const QFont& font = GridMetrics::font());

    // A block of cells, as a page, an image or the visible part of a view shows them: each text once, and
    // the lines around the block.
    void paintCells(QPainter& painter, const GridGeometry& geometry, const GridBlock& block) const;

private:
    // A text's QString and widths, measured once in the grid font.
    struct MeasuredText {
        QString text;
        int leadingBlanks = 0;
        int trailingBlanks = 0;
        int width = 0;
        int leadWidth = 0;        // of the leading blanks
        int visibleWidth[3] = {}; // by HorizontalAlignment: without the blanks on the side(s) it grows to
        QRect ink;                // the glyphs' extent from the start of the baseline
        QStaticText shaped;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using TextCache = std::unordered_map<std::string, MeasuredText, Hash, std::equal_to<>>;
    static TextCache& cacheFor(const QFont& font);

    // Widths and heights of a text in the font it is drawn in.
    struct Fitted {
        int width, visibleWidth, leadWidth;
        int capHeight, ascent, descent;
    };

    const MeasuredText& measured(std::string_view text) const;
    static Fitted fit(const QFont& font, const QString& text, HorizontalAlignment alignment,
                      int leadingBlanks, int trailingBlanks);
    void paintBackground(QPainter& painter, int column, int row, const QRect& rect) const;
    void paintText(QPainter& painter, const GridGeometry& geometry, const TextCover& cover, int row,
                   const QRect& clip) const;
    void paintBorders(QPainter& painter, int column, int row, const QRect& rect, bool leftEdge,
                      bool topEdge) const;

    const ResultGrid& m_grid;
    QFont m_font;
    QFontMetrics m_metrics;
    int m_capHeight, m_ascent, m_descent;
    qreal m_staticAscent; // how far below its top QStaticText puts the baseline
    TextCache& m_measured;
};

} // namespace kazutama
