#pragma once

#include <QWidget>

class QHelpEngine;
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

    // Shows the index at `keyword` and opens its topic.
    void showKeyword(const QString& keyword);
    QString currentTopicTitle() const;

private:
    void openTopicsOf(const QString& keyword);

    QHelpEngine* m_engine = nullptr;
    QTextBrowser* m_browser = nullptr;
    QString m_pendingKeyword;
    bool m_usable = false;
};

} // namespace kazutama
