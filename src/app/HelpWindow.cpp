#include "app/HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace kazutama {

namespace {

const QString kWindowTitle = QStringLiteral("Kazutama ヘルプ");
// The main window's name: its page is the one shown for a window the manual has no page of.
const QString kMainWindowName = QStringLiteral("MainFrm");

// Reads the pages out of the help collection instead of the file system.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), m_engine(engine) {}

    QVariant loadResource(int type, const QUrl& url) override {
        if (url.scheme() == QLatin1String("qthelp"))
            return m_engine->fileData(url);
        return QTextBrowser::loadResource(type, url);
    }

private:
    QHelpEngine* m_engine;
};

// The text as searched and shown in a hit: full-width letters, digits and blanks as their ordinary forms,
// so that "ＣＳＶ" finds "CSV"; runs of blanks and line breaks as one blank.
QString searchForm(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

QWidget* column(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(4, 4, 4, 4);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return holder;
}

} // namespace

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(kWindowTitle);
    // No larger than the screen, which a scale factor of 2 makes small.
    QSize size(960, 680);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    m_engine = new QHelpEngine(collectionFile, this);
    // An installed help collection sits in a folder the user cannot write to.
    m_engine->setReadOnly(true);
    m_usable = QFileInfo::exists(collectionFile) && m_engine->setupData();

    m_browser = new HelpBrowser(m_engine, this);
    m_browser->setObjectName("helpBrowser");
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("helpTabs");
    // Alt with the letter in brackets turns to a tab, with the focus in its field.
    m_tabs->addTab(createContentsTab(), QStringLiteral("目次(&C)"));
    m_tabs->addTab(createIndexTab(), QStringLiteral("索引(&I)"));
    m_tabs->addTab(createSearchTab(), QStringLiteral("検索(&S)"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (QWidget* field = tab == 0   ? static_cast<QWidget*>(m_engine->contentWidget())
                             : tab == 1 ? m_keywordEdit
                                        : m_searchEdit)
            field->setFocus();
    });

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("helpToolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"));
    m_back->setObjectName("actBack");
    m_back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    m_back->setToolTip(QStringLiteral("戻る (Alt+←)"));
    m_forward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("進む"));
    m_forward->setObjectName("actForward");
    m_forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    m_forward->setToolTip(QStringLiteral("進む (Alt+→)"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::topicChanged);

    // Esc and Ctrl+W close the window, as they close every other window of the program.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* closing = new QAction(this);
        closing->setShortcut(key);
        closing->setShortcutContext(Qt::WindowShortcut);
        connect(closing, &QAction::triggered, this, &QWidget::close);
        addAction(closing);
    }

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({280, 680});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(toolBar);
    layout->addWidget(splitter);
}

QWidget* HelpWindow::createContentsTab() {
    QHelpContentWidget* contents = m_engine->contentWidget();
    contents->setObjectName("helpContents");
    contents->setHeaderHidden(true);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::open);
    // The tree is built in the background after set-up: shown unfolded, with the current topic selected.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandAll();
        topicChanged();
    });
    return column(this, {contents});
}

QWidget* HelpWindow::createIndexTab() {
    m_keywordEdit = new QLineEdit(this);
    m_keywordEdit->setObjectName("keywordEdit");
    m_keywordEdit->setPlaceholderText(QStringLiteral("キーワードを入力"));
    m_keywordEdit->setClearButtonEnabled(true);
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName("helpIndex");
    connect(m_keywordEdit, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    // Enter in the keyword field opens the page of the keyword it selected, as a double click would; Up and
    // Down move through the index without leaving the field.
    connect(m_keywordEdit, &QLineEdit::returnPressed, index, [index] {
        if (!index->currentIndex().isValid() && index->model()->rowCount() > 0)
            index->setCurrentIndex(index->model()->index(0, 0));
        index->activateCurrentItem();
    });
    m_keywordEdit->installEventFilter(this);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link) { open(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links) {
        if (!links.isEmpty())
            open(links.first().url);
    });
    // The index is built in the background after set-up; the keyword asked for before that is selected then.
    connect(m_engine->indexModel(), &QHelpIndexModel::indexCreated, this, &HelpWindow::selectKeyword);
    return column(this, {m_keywordEdit, index});
}

QWidget* HelpWindow::createSearchTab() {
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName("searchEdit");
    m_searchEdit->setPlaceholderText(QStringLiteral("探す語を入力"));
    m_searchEdit->setClearButtonEnabled(true);
    auto* button = new QPushButton(QStringLiteral("検索"), this);
    button->setObjectName("searchButton");
    m_searchStatus = new QLabel(this);
    m_searchStatus->setObjectName("searchStatus");
    m_searchStatus->setWordWrap(true);
    // The hits as links, each page's title over the text around the word, as Qt Assistant lists them.
    m_searchResults = new QTextBrowser(this);
    m_searchResults->setObjectName("searchResults");
    m_searchResults->setOpenLinks(false);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(button, &QPushButton::clicked, this, &HelpWindow::runSearch);
    connect(m_searchResults, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        m_highlight = searchForm(m_searchEdit->text()).section(QLatin1Char(' '), 0, 0);
        open(url);
    });
    auto* row = new QWidget(this);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->addWidget(m_searchEdit);
    rowLayout->addWidget(button);
    return column(this, {row, m_searchStatus, m_searchResults});
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_keywordEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_engine->indexWidget(), event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::showKeyword(const QString& keyword) {
    m_keyword = keyword;
    m_keywordEdit->clear();
    selectKeyword();
    const QList<QHelpLink> links = m_engine->documentsForKeyword(keyword);
    if (!links.isEmpty())
        open(links.first().url);
}

void HelpWindow::showWindowPage(const QString& windowName) {
    // Window names are the keywords' identifiers, which the index does not show.
    QList<QHelpLink> links = m_engine->documentsForIdentifier(windowName);
    if (links.isEmpty())
        links = m_engine->documentsForIdentifier(kMainWindowName);
    if (!links.isEmpty())
        open(links.first().url);
}

void HelpWindow::selectKeyword() {
    QHelpIndexModel* model = m_engine->indexModel();
    const qsizetype row = model->stringList().indexOf(m_keyword);
    if (row < 0)
        return;
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setCurrentIndex(model->index(int(row)));
    index->scrollTo(index->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void HelpWindow::open(const QUrl& url) {
    if (url == m_browser->source()) {
        topicChanged();
        return;
    }
    m_browser->setSource(url);
}

void HelpWindow::topicChanged() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? kWindowTitle : title + QStringLiteral(" - ") + kWindowTitle);
    // The contents follow the topic, however it was reached.
    QHelpContentWidget* contents = m_engine->contentWidget();
    QUrl page = m_browser->source();
    page.setFragment(QString());
    const QModelIndex item = contents->indexOf(page);
    if (item.isValid()) {
        const QSignalBlocker quiet(contents);
        contents->setCurrentIndex(item);
    }
    // A page opened from the search shows the word searched for selected.
    if (!m_highlight.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(m_highlight);
        m_highlight.clear();
    }
}

QString HelpWindow::currentTopicTitle() const {
    return m_browser->documentTitle();
}

void HelpWindow::loadPages() {
    if (m_pagesLoaded)
        return;
    m_pagesLoaded = true;
    for (const QString& space : m_engine->registeredDocumentations()) {
        for (const QUrl& url : m_engine->files(space, QString(), QStringLiteral("html"))) {
            QTextDocument document;
            document.setHtml(QString::fromUtf8(m_engine->fileData(url)));
            const QString title = document.metaInformation(QTextDocument::DocumentTitle);
            m_pages.append(
                {url, title.isEmpty() ? url.fileName() : title, searchForm(document.toPlainText())});
        }
    }
}

QList<HelpWindow::Hit> HelpWindow::searchPages(const QString& text) {
    const QStringList words = searchForm(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    loadPages();
    struct Ranked {
        Hit hit;
        qsizetype count;
    };
    QList<Ranked> ranked;
    for (const Page& page : m_pages) {
        qsizetype count = 0;
        bool all = true;
        for (const QString& word : words) {
            const qsizetype found = page.text.count(word, Qt::CaseInsensitive);
            all = all && found > 0;
            count += found;
        }
        if (!all)
            continue;
        const qsizetype at = page.text.indexOf(words.front(), 0, Qt::CaseInsensitive);
        const qsizetype from = std::max<qsizetype>(0, at - 20);
        QString snippet = page.text.mid(from, words.front().size() + 60);
        if (from > 0)
            snippet.prepend(QStringLiteral("…"));
        if (from + snippet.size() < page.text.size())
            snippet.append(QStringLiteral("…"));
        ranked.append({{page.url, page.title, snippet}, count});
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Ranked& a, const Ranked& b) { return a.count > b.count; });
    QList<Hit> hits;
    for (const Ranked& entry : ranked)
        hits.append(entry.hit);
    return hits;
}

void HelpWindow::runSearch() {
    const QString text = m_searchEdit->text().trimmed();
    const QList<Hit> hits = searchPages(text);
    m_searchResults->clear();
    if (text.isEmpty()) {
        m_searchStatus->clear();
        return;
    }
    m_searchStatus->setText(hits.isEmpty()
                                ? QStringLiteral("「%1」を含むページはありません。").arg(text)
                                : QStringLiteral("「%1」を含むページ: %2 件").arg(text).arg(hits.size()));
    const QStringList words = searchForm(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString html;
    for (const Hit& hit : hits) {
        QString snippet = hit.snippet.toHtmlEscaped();
        for (const QString& word : words)
            snippet.replace(QRegularExpression('(' + QRegularExpression::escape(word.toHtmlEscaped()) + ')',
                                               QRegularExpression::CaseInsensitiveOption),
                            QStringLiteral("<b>\\1</b>"));
        html += QStringLiteral("<p><a href=\"%1\">%2</a><br><span style=\"color:#555555\">%3</span></p>")
                    .arg(hit.url.toString(QUrl::FullyEncoded).toHtmlEscaped(), hit.title.toHtmlEscaped(),
                         snippet);
    }
    m_searchResults->setHtml(html);
}

} // namespace kazutama
