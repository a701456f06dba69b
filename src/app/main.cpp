#include "app/MainFrm.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kazutama"));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
    QApplication::setFont(font);

    kazutama::MainFrm window(kazutama::MainFrm::defaultSetup());
    if (!window.load())
        return 1;
    window.show();
    window.activateWindow();
    return app.exec();
}
