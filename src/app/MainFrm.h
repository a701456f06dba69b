#pragma once

#include "app/AppFiles.h"
#include "gui/ViewGuard.h"
#include "settings/AnalysisOptions.h"
#include "store/Backups.h"
#include "store/Workspace.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace kazutama {

class ChildView;
class HelpWindow;

// The main window: menus, the child-window host, the ViewGuard, the messages of start-up and shutdown. It
// routes commands; the workspace does the start-up's work and every view loads itself.
class MainFrm : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(bool propEnd READ propEnd WRITE setPropEnd)

public:
    explicit MainFrm(AppFiles files, QWidget* parent = nullptr);
    ~MainFrm() override;

    // The load step: the folders of the program's files, the settings, then the workspace (database,
    // history, summary). False when a folder cannot be made, the database cannot be used or another program
    // has it; the user has been told why and the program should end.
    bool load();
    // True when the database could not be locked: it is only read, and no command may change it.
    bool isReadOnly() const { return m_workspace && m_workspace->isReadOnly(); }

    bool propEnd() const { return m_viewGuard.value(); }
    void setPropEnd(bool value) { m_viewGuard.set(value); }
    const AnalysisOptions& analysisOptions() const { return m_options; }
    // The workspace and its parts, after a successful load().
    const Workspace& workspace() const { return *m_workspace; }
    const DrawHistory& history() const { return m_workspace->history(); }
    const ConnectionString& connectionString() const { return m_workspace->connection(); }
    QMdiArea* mdiArea() const { return m_mdi; }

    // The open-view command: brings an open view to the front, or creates and loads it.
    void openView(const QString& windowName);
    // The view's sub-window while it is open, else null.
    QMdiSubWindow* openedView(const QString& windowName) const;
    // Closes every child window and deletes it at once, not when the event loop gets to it: the views refer
    // to the workspace. False when one stays open.
    bool closeAllViews();
    // Reads the workspace again, after its file was replaced. False when it cannot be: the user has been
    // told, and the program ends.
    bool reloadWorkspace();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void addKeys();
    // Ctrl+P: the active window's table to the print preview.
    void printActiveView();
    ChildView* createView(const QString& windowName);
    void openEntryView();
    // After the entry view changed the database: the history and summary read again, as at start-up.
    void rereadHistory();
    // After the history changed from `before`: how the tickets did in the draws completed meanwhile.
    void tellTicketResults(const DrawHistory& before);
    // The status bar's sentence when the newest draw is more than a week old.
    void showStaleHistoryNotice();
    // The manual: the menu item opens its first page, F1 (actHelpContext) the page of the active window.
    void showHelp();
    void addContextHelp();
    void showContextHelp();
    HelpWindow* helpWindow(); // shown in front; null when the help files are missing
    void showAbout();
    void activated();

    AppFiles m_files;
    ViewGuard m_viewGuard;
    AnalysisOptions m_options;
    AnalysisOptions m_optionsRead; // as the settings file had them at start-up
    std::optional<Workspace> m_workspace;
    // One backup for the whole run, before the entry view's first write however often it is opened.
    std::optional<BackupOnFirstWrite> m_firstWriteBackup;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_staleHistory = nullptr;
    QMap<QString, QPointer<QMdiSubWindow>> m_views;
    QPointer<QWidget> m_about;
    QPointer<HelpWindow> m_help;
    // Activation bookkeeping: whether the window of the program that was active since the main window's last
    // activation is one that counts (not a message box or file dialog; a window of another program is
    // never seen here, so returning from it does not count).
    bool m_everActivated = false;
    bool m_otherWindowActivated = false;
    bool m_shuttingDown = false;
};

} // namespace kazutama
