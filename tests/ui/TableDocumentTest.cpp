#include "grid/ui/TableDocument.h"

#include "grid/ResultGrid.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Where and how often a picture was painted, in the page's frame.
struct Painted {
    int calls = 0;
    QRect rect;
};

TableDocument::PaintPicture recorder(Painted& painted) {
    return [&painted](QPainter& painter, QSize size) {
        ++painted.calls;
        painted.rect = painter.transform().mapRect(QRect(QPoint(0, 0), size));
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::gray);
    };
}

// A picture is painted once, whole, inside one page: under what comes before where it fits, at the top of
// a new page where it does not, and smaller where it is larger than a page.
TEST(TableDocumentTest, APictureStaysWholeOnOnePage) {
    const struct {
        const char* name;
        int tableRows; // 0: no table before the picture
        QSize picture;
        int pages;
        bool atPageTop;
        bool shrunk;
    } cases[] = {
        {"alone", 0, {400, 300}, 1, false, false},
        {"under a short table", 10, {400, 300}, 1, false, false},
        {"after a table that leaves too little room", 50, {400, 300}, 2, true, false},
        {"taller than a page", 10, {400, 3000}, 2, true, true},
        {"wider than a page", 0, {3000, 200}, 1, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResultGrid table(3, std::max(c.tableRows, 1));
        TableDocument document(QStringLiteral("表と図"));
        if (c.tableRows > 0)
            document.addTable(table, QStringLiteral("表"));
        Painted painted;
        document.addPicture(QStringLiteral("図"), c.picture, recorder(painted));

        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(document.pageLayout());
        writer.setResolution(96);
        int pages = 0;
        ASSERT_TRUE(document.print(writer, [&](int, int total) {
            pages = total;
            return true;
        }));
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(document.pageCount(document.pageLayout()), c.pages);
        ASSERT_EQ(painted.calls, 1);
        const QRect page(QPoint(0, 0), document.pageLayout().paintRectPixels(96).size());
        EXPECT_TRUE(page.contains(painted.rect)) << painted.rect.y() << "+" << painted.rect.height();
        EXPECT_EQ(painted.rect.size() != c.picture, c.shrunk);
        // At the top of a page only its title stands over it.
        EXPECT_EQ(painted.rect.top() < 40, c.atPageTop) << painted.rect.top();

        // An image holds it at its own size.
        painted = {};
        EXPECT_FALSE(document.image().isNull());
        EXPECT_EQ(painted.calls, 1);
        EXPECT_EQ(painted.rect.size(), c.picture);
        EXPECT_GE(document.imageSize().width(), c.picture.width());
        EXPECT_GE(document.imageSize().height(), c.picture.height());
    }
}

} // namespace
} // namespace kazutama
