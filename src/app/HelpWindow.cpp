#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kazutama {

namespace {

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

} // namespace

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(QStringLiteral("Kazutama ヘルプ"));
    resize(900, 640);

    m_engine = new QHelpEngine(collectionFile, this);
    // An installed help collection sits in a folder the user cannot write to.
    m_engine->setReadOnly(true);
    m_usable = QFileInfo::exists(collectionFile) && m_engine->setupData();

    m_search = new QLineEdit(this);
    m_search->setObjectName("keywordEdit");
    m_search->setPlaceholderText(QStringLiteral("キーワードを入力"));
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName("helpIndex");
    m_browser = new HelpBrowser(m_engine, this);
    m_browser->setObjectName("helpBrowser");

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_search);
    leftLayout->addWidget(index);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(m_search, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    // Enter in the keyword field opens the page of the keyword it selected, as a double click would; Up and
    // Down move through the index without leaving the field.
    connect(m_search, &QLineEdit::returnPressed, index, [index] {
        if (!index->currentIndex().isValid() && index->model()->rowCount() > 0)
            index->setCurrentIndex(index->model()->index(0, 0));
        index->activateCurrentItem();
    });
    m_search->installEventFilter(this);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link) { m_browser->setSource(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links) {
        if (!links.isEmpty())
            m_browser->setSource(links.first().url);
    });
    // The index is built in the background after set-up; the keyword asked for before that is selected then.
    connect(m_engine->indexModel(), &QHelpIndexModel::indexCreated, this, &HelpWindow::selectKeyword);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_search && event->type() == QEvent::KeyPress) {
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
    m_search->clear();
    selectKeyword();
    const QList<QHelpLink> links = m_engine->documentsForKeyword(keyword);
    if (!links.isEmpty())
        m_browser->setSource(links.first().url);
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

QString HelpWindow::currentTopicTitle() const {
    return m_browser->documentTitle();
}

} // namespace kazutama
