#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

class QAction;
class QHelpEngine;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTextBrowser;

namespace kazutama {

// The user manual: the compiled help collection beside the executable. On the left the tabs 目次 (the
// contents), 索引 (the keyword index) and 検索 (the pages' full text); on the right the topic, with 戻る and
// 進む above it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);

    // False when the help files are missing or cannot be read.
    bool isUsable() const { return m_usable; }

    // Opens the topic of `keyword` with the whole index shown and the keyword selected in it.
    void showKeyword(const QString& keyword);
    // Opens the page of the window named `windowName` (its objectName), or the main window's page when the
    // manual has none for it.
    void showWindowPage(const QString& windowName);
    QString currentTopicTitle() const;

    // A page whose text contains every word searched for.
    struct Hit {
        QUrl url;
        QString title;
        QString snippet; // the text around the first word's first occurrence
    };
    // The pages containing every blank-separated word of `text`, ignoring case and the difference between
    // full-width and half-width forms; the most occurrences first.
    QList<Hit> searchPages(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Page {
        QUrl url;
        QString title;
        QString text; // tags and entities gone, full-width letters and digits as their ordinary forms
    };

    QWidget* createContentsTab();
    QWidget* createIndexTab();
    QWidget* createSearchTab();
    void selectKeyword();
    void runSearch();
    void open(const QUrl& url);
    void topicChanged();
    void loadPages();

    QHelpEngine* m_engine = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_keywordEdit = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QLabel* m_searchStatus = nullptr;
    QTextBrowser* m_searchResults = nullptr;
    QTextBrowser* m_browser = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QString m_keyword;
    QString m_highlight; // the first word searched for, selected in the page the search opened
    QList<Page> m_pages;
    bool m_pagesLoaded = false;
    bool m_usable = false;
};

} // namespace kazutama
