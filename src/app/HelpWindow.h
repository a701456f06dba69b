#pragma once

#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTextBrowser;

namespace kazutama {

// The user manual: the compiled help collection beside the executable, with its keyword index on the left
// and the topic on the right.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);

    // False when the help files are missing or cannot be read.
    bool isUsable() const { return m_usable; }

    // Opens the topic of `keyword` with the whole index shown and the keyword selected in it.
    void showKeyword(const QString& keyword);
    QString currentTopicTitle() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectKeyword();

    QHelpEngine* m_engine = nullptr;
    QLineEdit* m_search = nullptr;
    QTextBrowser* m_browser = nullptr;
    QString m_keyword;
    bool m_usable = false;
};

} // namespace kazutama
