#include "analyses/ViewCatalogue.h"
#include "grid/Colours.h"
#include "grid/ResultGrid.h"
#include "grid/ui/FixedGridGeometry.h"
#include "grid/ui/GridPainter.h"
#include "store/Snapshot.h"

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

QImage paintAll(const ResultGrid& grid, const FixedGridGeometry& geometry) {
    QImage image(geometry.size(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    GridPainter(grid).paintCells(painter, geometry, GridBlock::all());
    return image;
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

struct CentredTitle {
    const char* view;
    int row;
    int firstColumn, lastColumn;
};

// Titles whose blanks centre them over a block of cells (the letters of the division views, the titles
// over the number columns): the glyphs' middle lies within 2 pixels of the block's.
TEST(GridTextPlacementTest, TitlesCentredByBlanksSitOverTheMiddleOfTheirBlock) {
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
        const QImage image = paintAll(grid, at);
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
TEST(GridTextPlacementTest, GlyphsKeepClearOfTheLinesInTheSmallestRows) {
    const char* texts[] = {"初回", "n回前", "回", "●", "　連番(本数字)", "37"};
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
        const QImage image = paintAll(grid, at);
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

} // namespace
} // namespace kazutama
