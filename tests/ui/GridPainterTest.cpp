#include "grid/ui/GridPainter.h"

#include "analyses/ViewCatalogue.h"
#include "grid/Colours.h"
#include "grid/ResultGrid.h"
#include "grid/ui/FixedGridGeometry.h"
#include "grid/ui/ResultGridView.h"
#include "store/Snapshot.h"
#include "support/Histories.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Four columns of width 5 and three rows of 15 points:
//   row 1: a red title that runs on to the right, on pale yellow, no lines;
//   rows 2-3: lines around every cell, (2, 2) on pale cyan, the right line of (3, 3) light blue;
//   row 3: a blue right-aligned text in column 4 that runs on to the left.
ResultGrid sampleGrid() {
    ResultGrid grid(4, 3);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setRowHeight(ResultGrid::kAll, 15);
    grid.setTextRunsOn(true);
    grid.setBackground(GridBlock::rows(1, 1), colours::kPaleYellow);
    grid.setText(1, 1, "出現頻度");
    grid.setForeground(GridBlock::cell(1, 1), colours::kRed);
    grid.setBorders(GridBlock::rows(2, 3), BorderMode::Grid);
    grid.setBackground(GridBlock::cell(2, 2), colours::kPaleCyan);
    grid.setBorderColour(colours::kLightBlueBorder);
    grid.setBorders(GridBlock::cell(3, 3), BorderMode::Right);
    grid.setText(4, 3, "右寄せの文字");
    grid.setHorizontalAlignment(GridBlock::cell(4, 3), HorizontalAlignment::Right);
    grid.setForeground(GridBlock::cell(4, 3), colours::kBlue);
    return grid;
}

QImage paintBlock(const ResultGrid& grid) {
    const FixedGridGeometry geometry(grid);
    QImage image(geometry.size(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    GridPainter(grid).paintCells(painter, geometry, GridBlock::all());
    return image;
}

Rgb pixel(const QImage& image, QPoint at) {
    const QRgb p = image.pixel(at);
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}

// Pixels of the rectangle inked in the given hue: its channel clearly above the other two.
int inked(const QImage& image, const QRect& rect, int channel) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int values[] = {qRed(p), qGreen(p), qBlue(p)};
            count +=
                values[channel] > 150 && values[(channel + 1) % 3] < 120 && values[(channel + 2) % 3] < 120;
        }
    return count;
}

int darkPixels(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100;
    return count;
}

// The pixels of a rectangle that are glyphs: clearly off the background's colour.
QRect inkIn(const QImage& image, const QRect& rect, Rgb background) {
    QRect ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - background.r) + std::abs(qGreen(p) - background.g) +
                    std::abs(qBlue(p) - background.b) >
                96)
                ink |= QRect(x, y, 1, 1);
        }
    return ink;
}

constexpr int kRed = 0, kBlue = 2;

TEST(GridPainterTest, PaintsBackgroundsBordersAndRunOnText) {
    const ResultGrid grid = sampleGrid();
    const FixedGridGeometry at(grid);
    const QImage image = paintBlock(grid);
    const auto inside = [&](int column, int row) { return at.cellRect(column, row).adjusted(1, 1, -2, -2); };

    // Backgrounds, away from any text: the cell's own colour, or white where it has none.
    EXPECT_EQ(pixel(image, inside(4, 1).topLeft()), colours::kPaleYellow);
    EXPECT_EQ(pixel(image, inside(2, 2).center()), colours::kPaleCyan);
    EXPECT_EQ(pixel(image, inside(1, 3).center()), colours::kDefaultBackground);

    // Lines: none in row 1; default black between cells; a cell's own coloured side over its neighbour's.
    const QRect c12 = at.cellRect(1, 2), c33 = at.cellRect(3, 3);
    EXPECT_EQ(pixel(image, {at.cellRect(1, 1).right(), at.cellRect(1, 1).top() + 1}), colours::kPaleYellow);
    EXPECT_EQ(pixel(image, {c12.right(), c12.center().y()}), colours::kDefaultBorder);
    EXPECT_EQ(pixel(image, {c12.center().x(), c12.top() - 1}), colours::kDefaultBorder); // row 1's bottom

    EXPECT_EQ(pixel(image, {c33.right(), c33.center().y()}), colours::kLightBlueBorder);
    EXPECT_EQ(pixel(image, {c33.left() - 1, c33.center().y()}), colours::kDefaultBorder);

    // The title runs on into column 2 but not as far as column 4; the right-aligned text runs on to the left.
    EXPECT_GT(inked(image, at.cellRect(1, 1), kRed), 0);
    EXPECT_GT(inked(image, at.cellRect(2, 1), kRed), 0);
    EXPECT_EQ(inked(image, at.cellRect(4, 1), kRed), 0);
    EXPECT_GT(inked(image, at.cellRect(3, 3), kBlue), 0);
    EXPECT_EQ(inked(image, at.cellRect(1, 3), kBlue), 0);
}

// A coloured line between two cells of a grid shows over the neighbour's default line, whether the left cell
// is painted (the edge is its right side) or scrolled away (the edge is the first painted left side).
TEST(GridPainterTest, AColouredLineShowsOverADefaultOneWhereverTheViewStarts) {
    ResultGrid grid(3, 2);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setRowHeight(ResultGrid::kAll, 15);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setBorderColour(Rgb{255, 0, 0});
    grid.setBorders(GridBlock::columns(2, 2), BorderMode::Left);
    const FixedGridGeometry at(grid);
    const QImage whole = paintBlock(grid);
    const QRect c21 = at.cellRect(2, 1);
    EXPECT_EQ(pixel(whole, {c21.left() - 1, c21.center().y()}), (Rgb{255, 0, 0}));

    QImage fromColumn2(at.size(), QImage::Format_RGB32);
    fromColumn2.fill(Qt::gray);
    {
        QPainter painter(&fromColumn2);
        GridPainter(grid).paintCells(painter, at, GridBlock{2, 3, 1, 2});
    }
    // The block's first column draws its left line inside itself.
    EXPECT_EQ(pixel(fromColumn2, {c21.left(), c21.center().y()}), (Rgb{255, 0, 0}));
}

TEST(GridPainterTest, ANeighbourWithATextCutsTheRunOn) {
    ResultGrid grid = sampleGrid();
    grid.setText(2, 1, " ");
    grid.setText(3, 3, ".");
    const FixedGridGeometry at(grid);
    const QImage image = paintBlock(grid);
    EXPECT_GT(inked(image, at.cellRect(1, 1), kRed), 0);
    EXPECT_EQ(inked(image, at.cellRect(2, 1), kRed), 0);
    EXPECT_GT(inked(image, at.cellRect(4, 3), kBlue), 0);
    EXPECT_EQ(inked(image, at.cellRect(3, 3).adjusted(0, 0, -1, 0), kBlue), 0);
}

TEST(GridPainterTest, ATextTooWideForItsCellIsNarrowedToFit) {
    ResultGrid grid(3, 1);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setRowHeight(ResultGrid::kAll, 15);
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setText(2, 1, "■■■■■");
    const FixedGridGeometry at(grid);
    const QImage image = paintBlock(grid);
    const QRect cell = at.cellRect(2, 1);
    EXPECT_GT(darkPixels(image, cell), cell.width() * 3);
    // Cut at the cell's edges, the squares would ink them.
    EXPECT_EQ(darkPixels(image, QRect(cell.left(), 0, 1, image.height())), 0);
    EXPECT_EQ(darkPixels(image, QRect(cell.right(), 0, 1, image.height())), 0);
}

TEST(GridPainterTest, ABlockAndTheScreenShowTheSamePixels) {
    const ResultGrid grid = sampleGrid();
    const QImage block = paintBlock(grid);

    ResultGridView view;
    view.setFocusPolicy(Qt::NoFocus); // no cursor drawn over the painter's cells
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setGrid(grid);
    view.resize(view.fullTableSize());
    const QImage screen = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, block);
}

// A view scrolled anywhere, to a cell's edge or into a cell, shows the part of the whole table at its offset:
// no line of a cell whose left or top neighbour is scrolled away, no text cut differently; and repainting a
// strip of it, as scrolling does, changes nothing.
TEST(GridPainterTest, AScrolledViewShowsTheWholeTableAtItsOffset) {
    ResultGrid grid(40, 60);
    grid.setColumnWidth(ResultGrid::kAll, 5);
    grid.setRowHeight(ResultGrid::kAll, 12);
    grid.setTextRunsOn(true);
    grid.setBorders(GridBlock::rows(2, 60), BorderMode::Grid);
    grid.setBorderColour(Rgb{255, 0, 0});
    grid.setBorders(GridBlock::columns(7, 7), BorderMode::Left);
    for (int row = 2; row <= 60; ++row)
        for (int column = 1; column <= 40; column += 3)
            grid.setText(column, row, std::to_string(row * column % 97));
    grid.setText(1, 1, "表の題名が右へ長く続く見出し");
    const FixedGridGeometry at(grid);
    const QImage whole = paintBlock(grid);

    ResultGridView view;
    view.setFocusPolicy(Qt::NoFocus); // no cursor drawn over the painter's cells
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setGrid(grid);
    view.resize(at.size() / 2);
    const QRect c75 = at.cellRect(7, 5);
    for (const QPoint offset :
         {QPoint(0, 0), c75.topLeft(), c75.topLeft() + QPoint(3, 4), QPoint(c75.left() - 1, 0)}) {
        view.horizontalScrollBar()->setValue(offset.x());
        view.verticalScrollBar()->setValue(offset.y());
        QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, whole.copy(QRect(offset, shown.size()))) << offset.x() << "," << offset.y();
        QPainter painter(&shown);
        const QRect strip(shown.width() / 3, shown.height() / 4, 25, shown.height() / 2);
        view.viewport()->render(&painter, strip.topLeft(), QRegion(strip), QWidget::DrawChildren);
        painter.end();
        EXPECT_EQ(shown, whole.copy(QRect(offset, shown.size())))
            << "strip at " << offset.x() << "," << offset.y();
    }
}

struct CentredTitle {
    const char* view;
    int row;
    int firstColumn, lastColumn;
};

// Titles whose blanks centre them over a block of cells (the letters of the division views, the titles
// over the number columns): the glyphs' middle lies within 2 pixels of the block's.
TEST(GridPainterTest, TitlesCentredByBlanksSitOverTheMiddleOfTheirBlock) {
    const CentredTitle titles[] = {
        {"数字合計分析", 1, 2, 8},      {"下一桁出現傾向分析", 1, 2, 11}, {"分割6データ分析", 2, 2, 7},
        {"分割6データ分析", 2, 14, 19}, {"分割6データ分析", 2, 32, 38},   {"分割7データ分析", 2, 2, 6},
        {"分割7データ分析", 2, 27, 31}, {"分割7データ分析", 2, 32, 38},   {"分割9データ分析", 2, 2, 5},
        {"分割9データ分析", 2, 30, 33}, {"分割9データ分析", 2, 34, 38},
    };
    const Snapshot empty;
    for (const CentredTitle& title : titles) {
        SCOPED_TRACE(title.view);
        SCOPED_TRACE(title.firstColumn);
        const ResultGrid grid = ViewCatalogue::find(title.view)->build(empty);
        const FixedGridGeometry at(grid);
        const QImage image = paintBlock(grid);
        // Inside the block's lines.
        const QRect block =
            at.spanRect({title.firstColumn, title.lastColumn}, title.row).adjusted(1, 1, -2, -2);
        const Rgb background =
            grid.background(title.firstColumn, title.row).value_or(colours::kDefaultBackground);
        const QRect ink = inkIn(image, block, background);
        ASSERT_FALSE(ink.isEmpty());
        const double offset = (ink.left() + ink.right()) / 2.0 - (block.left() + block.right()) / 2.0;
        EXPECT_LE(std::abs(offset), 2.0);
    }
}

// In the smallest rows the tables use, Japanese glyphs and marks keep a pixel from both lines of their row.
TEST(GridPainterTest, GlyphsKeepClearOfTheLinesInTheSmallestRows) {
    const char* texts[] = {"初回", "n回前", "回", "●", "　連番本数字", "37"};
    const int columns = int(std::size(texts));
    for (const double points : {9.0, 10.0}) {
        SCOPED_TRACE(points);
        ResultGrid grid(columns, 3);
        grid.setColumnWidth(ResultGrid::kAll, 12);
        grid.setRowHeight(ResultGrid::kAll, points);
        grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
        grid.setBorders(GridBlock::all(), BorderMode::Grid);
        for (int column = 1; column <= columns; ++column)
            grid.setText(column, 2, texts[column - 1]);
        const FixedGridGeometry at(grid);
        const QImage image = paintBlock(grid);
        for (int column = 1; column <= columns; ++column) {
            SCOPED_TRACE(texts[column - 1]);
            // The row's lines are the last pixel row of the row above and its own last one.
            const QRect cell = at.cellRect(column, 2).adjusted(1, 0, -1, -1);
            const QRect ink = inkIn(image, cell, colours::kDefaultBackground);
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_GE(ink.top(), cell.top() + 1);
            EXPECT_LE(ink.bottom(), cell.bottom() - 1);
        }
    }
}

// Brackets reach further than the letters they enclose: a bracketed heading in a short row keeps nearly the
// size of its letters alone instead of shrinking until the brackets fit.
TEST(GridPainterTest, BracketsDoNotShrinkAHeadingInAShortRow) {
    const char* texts[] = {"連番本数字", "連番(本数字)"};
    ResultGrid grid(2, 3);
    grid.setColumnWidth(ResultGrid::kAll, 30);
    grid.setRowHeight(ResultGrid::kAll, 10.0);
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    for (int column = 1; column <= 2; ++column)
        grid.setText(column, 2, texts[column - 1]);
    const FixedGridGeometry at(grid);
    const QImage image = paintBlock(grid);
    const QRect plain = inkIn(image, at.cellRect(1, 2).adjusted(1, 0, -1, -1), colours::kDefaultBackground);
    const QRect bracketed =
        inkIn(image, at.cellRect(2, 2).adjusted(1, 0, -1, -1), colours::kDefaultBackground);
    ASSERT_FALSE(plain.isEmpty());
    ASSERT_FALSE(bracketed.isEmpty());
    // At the letters' size the brackets only add to the width; shrunk to fit them, the whole is narrower.
    EXPECT_GT(bracketed.width(), plain.width());
}

// With one draw, thirty numbers never appeared: their list goes on over more lines of a taller row, each
// line inside the column, and shows whole; a list that fits keeps its one-line row.
TEST(GridPainterTest, AListTooLongForItsColumnGoesOnOverMoreLinesOfATallerRow) {
    const Snapshot oneDraw(test::historyOf({DrawRecord{1, {3, 9, 14, 20, 25, 31, 36, 2, 8}}}));
    ResultGrid grid = ViewCatalogue::find("回数別出現分析")->build(oneDraw);
    ASSERT_EQ(grid.text(1, 2), "0回");
    const double oneLine = grid.rowHeight(3);
    GridPainter::fitWrappedRows(grid);
    EXPECT_EQ(grid.rowHeight(3), oneLine); // "1回" and its seven numbers
    ASSERT_GE(grid.rowHeight(2), 3 * oneLine);

    const FixedGridGeometry at(grid);
    const QImage image = paintBlock(grid);
    const QRect list = at.cellRect(2, 2);
    const int lines = int(grid.rowHeight(2) / oneLine);
    const int pitch = list.height() / lines;
    for (int line = 0; line < lines; ++line)
        EXPECT_GT(inked(image, QRect(list.left(), list.top() + line * pitch, list.width(), pitch), 2), 10)
            << "line " << line;
    EXPECT_FALSE(GridPainter(grid).narrows(at, grid.textCover(2, 2), 2));
}

} // namespace
} // namespace kazutama
