#include "app/MainFrm.h"
#include "app/ProgramFont.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kazutama"));
    QApplication::setFont(kazutama::programFont());

    kazutama::MainFrm window(kazutama::MainFrm::defaultSetup());
    if (!window.load())
        return 1;
    window.show();
    window.activateWindow();
    return app.exec();
}
