#pragma once

#include "grid/CellFormat.h"
#include "grid/GridBlock.h"
#include "grid/ui/GridMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPainter;

namespace kazutama {

class GridGeometry;
class ResultGrid;

// Paints cells of a ResultGrid onto any QPainter (screen, printer, image) at the places a GridGeometry gives:
// backgrounds, borders, and texts, including texts that run on into empty neighbours. Texts that would be
// cut are narrowed to fit their span, down to half their width, and cut at its ends beyond that.
//
// A left-aligned text with blanks before and after it is a title the blanks were meant to centre over the
// cells it runs on across: it is centred over them, as far as the first line that crosses its row, whatever
// the width of a blank in the grid font. A text too tall for its row (a Japanese one in the 12- and 13-pixel
// rows) is drawn a size smaller, and every text is moved up or down to keep a pixel from its row's lines.
//
// In a column whose texts wrap, a text too wide for its row goes on over more lines, broken after its
// commas and at its blanks, when the row is tall enough for them all; fitWrappedRows makes it so.
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
    // Whether the text covering these cells is narrowed to fit them, so that it does not show whole.
    bool narrows(const GridGeometry& geometry, const TextCover& cover, int row) const;
    // Makes each row whose texts wrap tall enough for all their lines, at the sizes the grid gives.
    static void fitWrappedRows(ResultGrid& grid);

private:
    struct Face;
    // A text's QString and widths, measured once in the grid font.
    struct MeasuredText {
        QString text;
        int leadingBlanks = 0;
        int trailingBlanks = 0;
        int width = 0;
        int leadWidth = 0;        // of the leading blanks
        int visibleWidth[3] = {}; // by HorizontalAlignment: without the blanks on the side(s) it grows to
        QRect ink;                // the glyphs' extent from the start of the baseline, as the font says
        mutable std::optional<QRect> paintedInk; // the pixels they really ink, when the font's is too tall
        // The smaller face the text was last fitted with, and the room it was fitted to.
        mutable const Face* smaller = nullptr;
        mutable int smallerRoom = 0;
        // A title centred by its blanks (half- or full-width): its width and where it starts without them.
        bool centredByBlanks = false;
        int titleWidth = 0, titleLead = 0;
        QStaticText shaped;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using TextCache = std::unordered_map<std::string, MeasuredText, Hash, std::equal_to<>>;
    static TextCache& cacheFor(const QFont& font);

    // The grid font at one size, with the texts measured in it.
    struct Face {
        explicit Face(const QFont& font);
        QFont font;
        QFontMetrics metrics;
        int capHeight, ascent, descent;
        qreal staticAscent; // how far below its top QStaticText puts the baseline
        TextCache& measured;
    };

    // Widths and heights of a text in the font it is drawn in.
    struct Fitted {
        int width, visibleWidth, leadWidth;
        int capHeight, ascent, descent;
    };

    // Where and in what a cell's text goes, before it is narrowed to fit.
    struct Layout {
        const Face* face;
        const MeasuredText* m; // valid until the next text is measured
        QRect glyphs;
        int inkTop, inkBottom;
        HorizontalAlignment alignment;
        QRect placeRect; // what the text is aligned in
        Fitted fitted;
        int leadingBlanks, trailingBlanks;
        int available; // the width it may take unnarrowed
    };
    Layout layout(const GridGeometry& geometry, const TextCover& cover, int row) const;
    // The lines a text in a wrapping column goes on over; one line where it fits, or cannot wrap.
    std::vector<QString> wrappedLines(const Layout& layout, int owner) const;
    // Whether the row holds the lines of a wrapped text, which are then painted in place of one line.
    static bool holdsLines(const std::vector<QString>& lines, int rowPixels);
    void paintLines(QPainter& painter, const Layout& layout, const std::vector<QString>& lines,
                    const QRect& ownerRect) const;

    const MeasuredText& measured(const Face& face, std::string_view text) const;
    // The glyphs' extent for fitting them into a row of `room` pixel rows: the font's own, or where that
    // is taller than the room (it holds a pixel or two to spare), the pixels a painted copy inks.
    static QRect inkFor(const Face& face, const MeasuredText& text, int room);
    // The grid font made small enough for the text's glyphs to fit in `room` pixel rows. Faces are made
    // once for the whole program, like the measured texts.
    const Face& smallerFace(std::string_view text, int room) const;
    static const Face& faceFor(const QFont& font);
    static Fitted fit(const QFont& font, const QString& text, HorizontalAlignment alignment,
                      int leadingBlanks, int trailingBlanks);
    bool lineBetween(int leftColumn, int row) const;
    void paintBackground(QPainter& painter, int column, int row, const QRect& rect) const;
    void paintText(QPainter& painter, const GridGeometry& geometry, const TextCover& cover, int row,
                   const QRect& clip) const;
    void paintBorders(QPainter& painter, int column, int row, const QRect& rect, bool leftEdge,
                      bool topEdge) const;

    const ResultGrid& m_grid;
    Face m_face;
};

} // namespace kazutama
