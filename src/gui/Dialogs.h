#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace kazutama {

// Every message box and file dialog of the program goes through here, so tests can answer them ahead of
// time instead of blocking on a modal window. The questions are generic: a window that needs a new kind of
// question builds a Question rather than adding a method here.
class Dialogs {
public:
    enum class Icon { Information, Warning, Critical, Question };

    // A message box with buttons of the caller's choice.
    struct Question {
        QString title;
        QString text;
        Icon icon = Icon::Question;
        QStringList buttons;   // left to right
        int defaultButton = 0; // the button Enter presses
        int escapeButton = -1; // the answer to Escape and the close box; -1: the last button
    };

    // A table of texts of which the user picks one row.
    struct RowChoice {
        struct Row {
            QStringList texts;
            bool selectable = true;
        };
        QString title;
        QString text; // above the table
        QStringList headings;
        std::vector<Row> rows;
        QString acceptButton; // the button that takes the selected row; Cancel stands beside it
    };

    virtual ~Dialogs() = default;

    // One OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // The index of the button pressed.
    virtual int choose(QWidget* parent, const Question& question) = 0;
    // The index of the row taken (always a selectable one), or -1 when the user cancels.
    virtual int chooseRow(QWidget* parent, const RowChoice& choice) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                                 const QString& filter) = 0;
    // One line of text, or an empty string when the user cancels. Dialogs that answer no text questions
    // (a test's) cancel.
    virtual QString askText(QWidget* parent, const QString& title, const QString& label);

    // Yes and No, the warning icon, No as the default button. True for Yes.
    bool confirm(QWidget* parent, const QString& title, const QString& text);

    // The dialogs in use: the real ones unless a test installed its own.
    static Dialogs& instance();
    // Installs `dialogs` (not owned) until it is uninstalled with nullptr.
    static void install(Dialogs* dialogs);
};

// The title of confirmations and of the program's own information messages.
QString applicationTitle();
// The title of error messages: "メッセ－ジ", written with a full-width hyphen-minus.
QString errorTitle();

} // namespace kazutama
