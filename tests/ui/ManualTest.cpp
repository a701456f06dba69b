#include "analyses/ViewCatalogue.h"
#include "gui/QtText.h"

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

QStringList pagesFor(const QHelpEngineCore& engine, const QString& keyword) {
    QStringList pages;
    for (const QHelpLink& link : engine.documentsForKeyword(keyword))
        pages << link.url.fileName();
    return pages;
}

// A user meets a view under its window name (the export command line), its caption (the title bar) and its
// menu text; each must lead in the manual's index to the page of that view, and the page must quote what the
// window itself says, so that a view renamed or redescribed in the catalogue cannot leave a stale manual.
TEST(ManualTest, EveryViewsNamesLeadToItsPageAndThePageQuotesTheWindow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path collection(KAZUTAMA_HELP_COLLECTION);
    const QString copy = dir.filePath("Kazutama.qhc");
    std::filesystem::copy_file(collection, copy.toStdString());
    std::filesystem::copy_file(std::filesystem::path(collection).replace_extension(".qch"),
                               dir.filePath("Kazutama.qch").toStdString());
    QHelpEngineCore engine(copy);
    ASSERT_TRUE(engine.setupData());

    for (const ViewEntry& entry : ViewCatalogue::entries()) {
        const QString windowName = qs(entry.windowName);
        SCOPED_TRACE(windowName.toStdString());
        const QStringList pages = pagesFor(engine, windowName);
        ASSERT_EQ(pages.size(), 1);
        const QString page = pages.front();
        for (const QString& name : {qs(entry.caption), qs(entry.menuText)})
            EXPECT_TRUE(pagesFor(engine, name).contains(page)) << name.toStdString();

        const QString text =
            QString::fromUtf8(engine.fileData(engine.documentsForKeyword(windowName).front().url));
        const QString open = QStringLiteral("「"), close = QStringLiteral("」");
        for (const QString& quoted :
             {qs(entry.label), open + qs(entry.caption) + close, open + qs(entry.menuText) + close,
              QStringLiteral("images/") + page.chopped(5) + QStringLiteral(".png"),
              QStringLiteral("print-export.html")})
            EXPECT_TRUE(text.contains(quoted)) << page.toStdString() << " lacks " << quoted.toStdString();
    }
}

} // namespace
} // namespace kazutama
