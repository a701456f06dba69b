#pragma once

#include "app/MainFrm.h"
#include "gui/Dialogs.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <unistd.h>

namespace kazutama::test {

// Answers the program's dialogs from a script and records every message shown.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon;
        bool underBusyCursor; // the hourglass was still up: the user would wait instead of reading
    };

    ScriptedDialogs() { Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(nullptr); }

    void message(QWidget*, const QString& title, const QString& text, Icon icon) override {
        messages.push_back({title, text, icon, QApplication::overrideCursor() != nullptr});
    }
    // Answers with the front of `choices` (a button index), or presses Escape when it is empty.
    int choose(QWidget*, const Question& question) override {
        questions.push_back(question);
        if (choices.empty())
            return question.escapeButton < 0 ? int(question.buttons.size()) - 1 : question.escapeButton;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }
    // Answers with the front of `rowChoices` as the real dialog would (a row that cannot be selected is never
    // taken), or cancels when it is empty.
    int chooseRow(QWidget*, const RowChoice& choice) override {
        rowQuestions.push_back(choice);
        if (rowChoices.empty())
            return -1;
        const int row = rowChoices.front();
        rowChoices.pop_front();
        return row >= 0 && row < int(choice.rows.size()) && choice.rows[std::size_t(row)].selectable ? row
                                                                                                     : -1;
    }
    // Queues the answer Yes or No to a confirmation.
    void answer(bool yes) { choices.push_back(yes ? 0 : 1); }
    QString openFileName(QWidget*, const QString&, const QString&) override { return next(openFiles); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return next(saveFiles);
    }

    std::vector<Shown> messages;
    std::vector<Question> questions;
    std::deque<int> choices;
    std::vector<RowChoice> rowQuestions;
    std::deque<int> rowChoices;
    std::deque<QString> openFiles;
    std::deque<QString> saveFiles;

private:
    static QString next(std::deque<QString>& queue) {
        if (queue.empty())
            return {};
        QString name = queue.front();
        queue.pop_front();
        return name;
    }
};

// While it lives, the process acts as the ordinary user nobody, when the tests run as root.
struct OrdinaryUser {
    const bool switched = ::geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    ~OrdinaryUser() { (void)(switched && ::seteuid(0) == 0 && ::setegid(0) == 0); }
};

// A program folder with the sample history, a settings file path and a loaded, shown main window.
class ProgramFixture {
public:
    // `beforeLoad` runs once the folder and the dialogs are there, before the program loads: it can put
    // files in place or script the answers to the start-up's questions.
    explicit ProgramFixture(bool withSampleHistory = true,
                            const std::function<void(ProgramFixture&)>& beforeLoad = {});
    ~ProgramFixture();

    MainFrm& window() { return *m_window; }
    QAction* action(const char* name);
    void trigger(const char* name);
    // Lets queued events (the activation step among them) run.
    static void settle();
    bool isOpen(const QString& windowName) { return m_window->openedView(windowName) != nullptr; }
    void closeView(const QString& windowName);

    TempDir dir;
    ScriptedDialogs dialogs;
    std::filesystem::path settingsFile;

private:
    std::unique_ptr<MainFrm> m_window;
};

} // namespace kazutama::test
