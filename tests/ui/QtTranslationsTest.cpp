#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace kazutama {
namespace {

// Qt's own dialogs speak Japanese where the user's language has no catalogue (the tests run in the C
// locale), as every text of ours does.
TEST(QtTranslationsTest, QtsOwnDialogsSpeakJapanese) {
    installQtTranslations();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
    EXPECT_NE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace
} // namespace kazutama
