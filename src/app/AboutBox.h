#pragma once

#include <QWidget>

class QLabel;

namespace kazutama {

// The version window: fixed texts over a picture the program draws itself.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* mainWindow);

    // Top = (main window height - main window top) / 3, Left = (main window width - main window left) / 3,
    // both from the main window's frame at the moment the box loads.
    void placeRelativeTo(const QRect& mainFrame);

    static QPixmap backgroundPicture();

    // The files the program works with, shown small under the slogan, each cut in the middle when too long
    // (the whole path in its tooltip).
    void showFilesInUse(const QString& database, const QString& settings);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
    QLabel* m_files = nullptr;
};

} // namespace kazutama
