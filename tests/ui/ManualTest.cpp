#include "analyses/ViewCatalogue.h"
#include "gui/QtText.h"

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

QStringList pages(const QList<QHelpLink>& links) {
    QStringList pages;
    for (const QHelpLink& link : links)
        pages << link.url.fileName();
    return pages;
}

// F1 finds a view's page by its window name; the user meets the view under its window name (the export
// command line), its caption (the title bar) and its menu text, and each must lead in the manual's index to
// that page. The page must quote what the window itself says, so that a view renamed or redescribed in the
// catalogue cannot leave a stale manual.
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
        const QStringList found = pages(engine.documentsForIdentifier(windowName));
        ASSERT_EQ(found.size(), 1);
        const QString page = found.front();
        for (const QString& name : {windowName, qs(entry.caption), qs(entry.menuText)})
            EXPECT_TRUE(pages(engine.documentsForKeyword(name)).contains(page)) << name.toStdString();

        const QString text =
            QString::fromUtf8(engine.fileData(engine.documentsForIdentifier(windowName).front().url));
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
