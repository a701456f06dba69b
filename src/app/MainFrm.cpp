#include "app/MainFrm.h"

#include "analyses/ViewCatalogue.h"
#include "analyses/ui/AnalysisView.h"
#include "app/AboutBox.h"
#include "app/FirstHistory.h"
#include "app/HelpWindow.h"
#include "app/RestoreCommand.h"
#include "app/StartupRecovery.h"
#include "app/TicketNotice.h"
#include "app/WindowArrangement.h"
#include "common/QuotedInput.h"
#include "entry/EntryView.h"
#include "gui/BusyCursor.h"
#include "gui/ChildView.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "menus/MenuTable.h"
#include "prediction/ui/BacktestView.h"
#include "prediction/ui/PredictionView.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionString.h"
#include "tickets/ui/HistoryCheckView.h"
#include "tickets/ui/NumberSearchView.h"
#include "tickets/ui/TicketView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace kazutama {

namespace {

// Follows every message after which the program ends.
const QString kEnding = QStringLiteral("\nKazutamaを終了します。");

} // namespace

MainFrm::MainFrm(AppFiles files, QWidget* parent) : QMainWindow(parent), m_files(std::move(files)) {
    setObjectName("MainFrm");
    // Every window of the program, child windows and dialogs too, shows the program's own icon.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kazutama-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    setWindowIcon(icon);
    setWindowTitle(applicationTitle());
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("mdiArea");
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdi);
    m_staleHistory = new QLabel(this);
    m_staleHistory->setObjectName("lblStaleHistory");
    statusBar()->addWidget(m_staleHistory);
    createMenus();
    addKeys();
    addContextHelp();
    // Tall enough for the tallest view (about 930 pixels) where the screen allows.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(std::min(available.width() * 9 / 10, 1200), std::min(available.height() * 19 / 20, 1000));
        move(available.center() - rect().center());
    } else {
        resize(1024, 768);
    }
    qApp->installEventFilter(this);
}

MainFrm::~MainFrm() {
    qApp->removeEventFilter(this);
}

bool MainFrm::load() {
    if (auto made = m_files.createFolders(); !made) {
        Dialogs::instance().message(this, applicationTitle(), qs(made.error().message) + kEnding,
                                    Dialogs::Icon::Critical);
        return false;
    }
    m_options = m_optionsRead = ReadInitFile(m_files.settingsFile);
    const ConnectionString connection = ConnectionString::forDatabase(m_files.databaseFile());
    const auto open = [&] {
        BusyCursor busy;
        m_viewGuard.set(true);
        return Workspace::openOrCreate(connection);
    };
    auto opened = open();
    // The hourglass has gone: the user has to read and answer what follows. A journal set aside may leave a
    // damaged file, which a backup may then replace.
    for (int round = 0; round < 2 && !opened; ++round) {
        auto recovered = StartupRecovery(this, connection).offer(opened.error());
        if (!recovered)
            opened = recovered.error();
        else if (*recovered == StartupRecovery::Outcome::Declined)
            return false;
        if (!recovered || *recovered == StartupRecovery::Outcome::NothingToOffer)
            break;
        opened = open();
    }
    if (!opened) {
        Dialogs::instance().message(this, applicationTitle(), qs(opened.error().message) + kEnding,
                                    Dialogs::Icon::Critical);
        return false;
    }
    m_workspace.emplace(std::move(opened).value());
    m_firstWriteBackup.emplace(Backups(m_workspace->connection()), [this](const std::string& notice) {
        Dialogs::instance().message(this, applicationTitle(), qs(notice), Dialogs::Icon::Warning);
    });
    if (m_workspace->createdDatabase() && isReadOnly())
        Dialogs::instance().message(this, applicationTitle(),
                                    "当選データのデータベースが見つからなかったため、新しく作成しました。\n" +
                                        qs(quotePath(m_workspace->connection().databasePath())),
                                    Dialogs::Icon::Information);
    else if (m_workspace->createdDatabase() &&
             offerFirstHistory(this, m_workspace->connection(), m_files.sampleHistory())) {
        const DrawHistory before = m_workspace->history();
        {
            BusyCursor busy;
            if (auto read = m_workspace->reread(); !read) {
                Dialogs::instance().message(this, applicationTitle(), qs(read.error().message) + kEnding,
                                            Dialogs::Icon::Critical);
                return false;
            }
        }
        tellTicketResults(before);
    }
    showStaleHistoryNotice();
    if (isReadOnly())
        Dialogs::instance().message(
            this, applicationTitle(),
            qs(m_workspace->readOnlyReason()) +
                "\n\nほかのKazutamaと同時に書き込むことのないよう、読み取り専用で開きます。"
                "分析と予想は表示できますが、当選データ入力は使用できません。\n"
                "当選データを入力するには、ファイルに書き込めてロックもできるようにしてから、"
                "Kazutamaを起動し直してください。",
            Dialogs::Icon::Warning);
    return true;
}

void MainFrm::createMenus() {
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    for (const MenuNode& node : mainMenuTree()) {
        const QString name = qs(node.name);
        const QString caption = qs(node.caption);
        if (node.kind == MenuNode::Kind::Submenu) {
            QMenu* menu =
                node.level == 0 ? menuBar()->addMenu(caption) : parents[node.level - 1]->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            parents[node.level] = menu;
            continue;
        }
        QAction* action =
            node.level == 0 ? menuBar()->addAction(caption) : parents[node.level - 1]->addAction(caption);
        action->setObjectName(name);

        if (node.name == menu::kEnd)
            connect(action, &QAction::triggered, this, &QWidget::close);
        else if (node.name == menu::kMasterInput)
            connect(action, &QAction::triggered, this, &MainFrm::openEntryView);
        else if (node.name == menu::kMasterKanri)
            action->setEnabled(false);
        else if (node.name == menu::kRestoreBackup)
            connect(action, &QAction::triggered, this, [this] { RestoreCommand(*this).run(); });
        else if (node.name == menu::kCascade)
            connect(action, &QAction::triggered, this, [this] { cascade(m_mdi); });
        else if (node.name == menu::kTileHorizontal)
            connect(action, &QAction::triggered, this, [this] { tileOneAboveTheOther(m_mdi); });
        else if (node.name == menu::kTileVertical)
            connect(action, &QAction::triggered, this, [this] { tileSideBySide(m_mdi); });
        else if (node.name == menu::kArrangeIcons)
            connect(action, &QAction::triggered, this, [this] { arrangeIcons(m_mdi); });
        else if (node.name == menu::kHelpFile)
            connect(action, &QAction::triggered, this, &MainFrm::showHelp);
        else if (node.name == menu::kAbout)
            connect(action, &QAction::triggered, this, &MainFrm::showAbout);
        else if (!node.view.empty())
            connect(action, &QAction::triggered, this, [this, view = qs(node.view)] { openView(view); });
    }
}

void MainFrm::addKeys() {
    // Keys people expect, beside the menus rather than in them: the menus are as the program has them.
    const auto key = [this](const char* name, QKeySequence sequence, auto slot) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key("actPrintActive", QKeySequence::Print, &MainFrm::printActiveView);
    key("actQuit", QKeySequence(Qt::CTRL | Qt::Key_Q), &QWidget::close);
}

void MainFrm::printActiveView() {
    if (QMdiSubWindow* active = m_mdi->activeSubWindow())
        if (auto* view = qobject_cast<ChildView*>(active->widget()))
            view->print();
}

QMdiSubWindow* MainFrm::openedView(const QString& windowName) const {
    // A closed window lingers until its deferred deletion; it no longer counts as open.
    QMdiSubWindow* window = m_views.value(windowName).data();
    auto* view = window ? qobject_cast<ChildView*>(window->widget()) : nullptr;
    return view && view->isLoaded() ? window : nullptr;
}

void MainFrm::openView(const QString& windowName) {
    BusyCursor busy;
    if (QMdiSubWindow* open = openedView(windowName)) {
        if (open->isMinimized())
            open->showNormal();
        m_mdi->setActiveSubWindow(open);
        open->raise();
        return;
    }
    ChildView* view = createView(windowName);
    if (!view)
        return;
    auto* window = m_mdi->addSubWindow(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(windowName + "Window");
    window->setWindowTitle(view->windowTitle());
    m_views[windowName] = window;
    view->load(window);
    window->show();
    m_mdi->setActiveSubWindow(window);
}

ChildView* MainFrm::createView(const QString& windowName) {
    if (windowName == qs(kPredictionViewName)) {
        auto* view = new PredictionView(m_viewGuard, m_options, *m_workspace, &*m_firstWriteBackup);
        connect(view, &PredictionView::backtestRequested, this, [this] { openView(qs(kBacktestViewName)); });
        return view;
    }
    if (windowName == qs(kBacktestViewName)) {
        auto* view = new BacktestView(m_viewGuard, m_options, *m_workspace);
        // The prediction view holds the numbers and says when they cannot be kept (its action is disabled).
        connect(view, &BacktestView::ticketsRequested, this, [this] {
            openView(qs(kPredictionViewName));
            if (QMdiSubWindow* window = openedView(qs(kPredictionViewName)))
                if (auto* add = window->findChild<QAction*>("actAddTickets"))
                    add->trigger();
        });
        return view;
    }
    if (windowName == qs(kNumberSearchViewName))
        return new NumberSearchView(m_viewGuard, *m_workspace);
    if (windowName == qs(kHistoryCheckViewName))
        return new HistoryCheckView(m_viewGuard, *m_workspace);
    if (windowName == qs(kTicketViewName)) {
        auto* view = new TicketView(m_viewGuard, *m_workspace, &*m_firstWriteBackup);
        connect(view, &TicketView::historyCheckRequested, this, [this](const std::vector<int>& numbers) {
            openView(qs(kHistoryCheckViewName));
            if (QMdiSubWindow* window = openedView(qs(kHistoryCheckViewName)))
                if (auto* check = window->findChild<HistoryCheckView*>())
                    check->checkNumbers(numbers);
        });
        return view;
    }
    if (windowName == qs(kEntryViewName)) {
        auto* view = new EntryView(m_viewGuard, m_workspace->connection(), &*m_firstWriteBackup);
        connect(view, &EntryView::closedAfterChanges, this, &MainFrm::rereadHistory);
        return view;
    }
    const ViewEntry* entry = ViewCatalogue::find(windowName.toStdString());
    if (!entry)
        return nullptr;
    return new AnalysisView(m_viewGuard, *entry, *m_workspace);
}

bool MainFrm::closeAllViews() {
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        if (window->close())
            delete window;
    return m_mdi->subWindowList().isEmpty();
}

bool MainFrm::reloadWorkspace() {
    const ConnectionString connection = m_workspace->connection();
    // The workspace holds the file's lock, which a second one in the same process would be refused.
    m_workspace.reset();
    auto opened = Workspace::openOrCreate(connection);
    if (!opened) {
        Dialogs::instance().message(this, applicationTitle(), qs(opened.error().message) + kEnding,
                                    Dialogs::Icon::Critical);
        close();
        return false;
    }
    m_workspace.emplace(std::move(opened).value());
    showStaleHistoryNotice();
    return true;
}

void MainFrm::rereadHistory() {
    const DrawHistory before = m_workspace->history();
    {
        BusyCursor busy;
        if (auto read = m_workspace->reread(); !read) {
            Dialogs::instance().message(this, applicationTitle(),
                                        "入力した当選データを読み直せません。\n" + qs(read.error().message) +
                                            kEnding,
                                        Dialogs::Icon::Critical);
            close();
            return;
        }
    }
    showStaleHistoryNotice();
    // Once the entry view has gone from the screen: the message is about the draws it stored.
    QMetaObject::invokeMethod(
        this, [this, before] { tellTicketResults(before); }, Qt::QueuedConnection);
    // A view opened while the entry view was open shows the old history: it is built again, where it was.
    QStringList stale;
    for (auto [name, window] : m_views.asKeyValueRange())
        if (name != qs(kEntryViewName) && openedView(name))
            stale << name;
    if (stale.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, stale] {
            for (const QString& name : stale)
                if (QMdiSubWindow* window = openedView(name)) {
                    const QRect place = window->geometry();
                    if (window->close())
                        delete window;
                    openView(name);
                    if (QMdiSubWindow* reopened = openedView(name))
                        reopened->setGeometry(place);
                }
        },
        Qt::QueuedConnection);
}

void MainFrm::tellTicketResults(const DrawHistory& before) {
    const QString failure =
        tellNewTicketResults(this, m_workspace->connection(), before, m_workspace->history());
    if (!failure.isEmpty())
        statusBar()->showMessage(failure);
}

void MainFrm::showStaleHistoryNotice() {
    const QDate today = QDate::currentDate();
    const DrawDates::Date date{std::chrono::year(today.year()), std::chrono::month(unsigned(today.month())),
                               std::chrono::day(unsigned(today.day()))};
    m_staleHistory->setText(qs(
        staleHistoryNotice(m_workspace->snapshot().dates(), m_workspace->summary().latestDrawNumber, date)));
}

void MainFrm::openEntryView() {
    if (isReadOnly()) {
        Dialogs::instance().message(this, errorTitle(),
                                    "読み取り専用で開いているため、当選データ入力は使用できません。\n" +
                                        qs(m_workspace->readOnlyReason()),
                                    Dialogs::Icon::Warning);
        return;
    }
    if (!m_viewGuard.value()) {
        Dialogs::instance().message(this, errorTitle(),
                                    QStringLiteral("表示中のウィンドウを閉じないと実行できません。"),
                                    Dialogs::Icon::Critical);
        return;
    }
    openView(qs(kEntryViewName));
}

HelpWindow* MainFrm::helpWindow() {
    const QString collection = fromPath(m_files.helpCollection());
    if (!m_help) {
        auto* help = new HelpWindow(collection);
        if (!help->isUsable()) {
            delete help;
            Dialogs::instance().message(this, applicationTitle(),
                                        "ヘルプファイルが見つかりません。\n" + collection,
                                        Dialogs::Icon::Warning);
            return nullptr;
        }
        help->setAttribute(Qt::WA_DeleteOnClose);
        m_help = help;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
    return m_help;
}

void MainFrm::showHelp() {
    if (HelpWindow* help = helpWindow())
        help->showKeyword(QStringLiteral("Kazutamaについて"));
}

void MainFrm::addContextHelp() {
    auto* action = new QAction(this);
    action->setObjectName("actHelpContext");
    action->setShortcut(QKeySequence(Qt::Key_F1));
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, &MainFrm::showContextHelp);
    addAction(action);
}

void MainFrm::showContextHelp() {
    // The page of the view in front (the main window's when none is open); in the help window or the About
    // box, the page that explains it.
    QString name = objectName();
    if (QWidget* active = QApplication::activeWindow(); active && active != this)
        name = active->objectName();
    else if (const QMdiSubWindow* window = m_mdi->currentSubWindow(); window && window->widget())
        name = window->widget()->objectName();
    if (HelpWindow* help = helpWindow())
        help->showWindowPage(name);
}

void MainFrm::showAbout() {
    BusyCursor busy;
    if (!m_about) {
        auto* about = new AboutBox(this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        // Which files are in use depends on where the program runs from; the user looking for them to back
        // them up finds them here.
        const auto absolute = [](const std::filesystem::path& file) {
            return QFileInfo(fromPath(file)).absoluteFilePath();
        };
        about->showFilesInUse(absolute(m_files.databaseFile()), absolute(m_files.settingsFile));
        m_about = about;
        about->placeRelativeTo(frameGeometry());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainFrm::activated() {
    openView(qs(kPredictionViewName));
}

bool MainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == this) {
            // The first activation after loading, and every return from another of the program's own
            // windows (message boxes and file dialogs excepted), opens the prediction view.
            const bool run = !m_everActivated || m_otherWindowActivated;
            m_everActivated = true;
            m_otherWindowActivated = false;
            if (run && !m_shuttingDown)
                QMetaObject::invokeMethod(this, &MainFrm::activated, Qt::QueuedConnection);
        } else if (widget->isWindow() && !qobject_cast<QDialog*>(widget)) {
            m_otherWindowActivated = true;
        } else if (qobject_cast<QDialog*>(widget)) {
            m_otherWindowActivated = false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrm::closeEvent(QCloseEvent* event) {
    m_shuttingDown = true;
    m_mdi->closeAllSubWindows();
    if (m_about)
        m_about->close();
    if (m_help)
        m_help->close();
    if (auto written = WriteInitFile(m_options, m_files.settingsFile); !written) {
        // A settings file the user made read-only loses nothing while the options are as it says.
        const bool readOnly = written.error().code == ErrorCode::ReadOnly;
        if (!readOnly || m_options != m_optionsRead)
            Dialogs::instance().message(this, applicationTitle(), qs(written.error().message),
                                        readOnly ? Dialogs::Icon::Information : Dialogs::Icon::Warning);
    }
    event->accept();
}

} // namespace kazutama
