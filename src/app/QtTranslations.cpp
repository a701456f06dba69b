#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kazutama {

void installQtTranslations() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt" gathers Qt's base catalogues; the help widgets have their own.
    for (const char* catalogue : {"qt", "qt_help"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        const QString name = QString::fromLatin1(catalogue);
        if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder) ||
            translator->load(QLocale(QLocale::Japanese, QLocale::Japan), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace kazutama
