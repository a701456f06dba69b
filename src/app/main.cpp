#include "app/CommandLine.h"
#include "app/MainFrm.h"
#include "app/ProgramFont.h"
#include "app/QtTranslations.h"

#include <QApplication>

int main(int argc, char** argv) {
    kazutama::CommandLine::prepare(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kazutama"));
    QApplication::setApplicationVersion(QStringLiteral(KAZUTAMA_VERSION));
    QApplication::setFont(kazutama::programFont());
    kazutama::installQtTranslations();
    if (const std::optional<int> done = kazutama::CommandLine::run())
        return *done;

    kazutama::MainFrm window(kazutama::AppFiles::defaults());
    if (!window.load())
        return 1;
    window.show();
    window.activateWindow();
    return app.exec();
}
