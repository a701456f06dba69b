#pragma once

#include <QString>

class QWidget;

namespace kazutama {

// Every message box and file dialog of the program goes through here, so tests can answer them ahead of
// time instead of blocking on a modal window.
class Dialogs {
public:
    enum class Icon { Information, Warning, Critical };
    // The answer to an import preview.
    enum class ImportChoice { Cancel, NewOnly, ReplaceChanged };

    virtual ~Dialogs() = default;

    // One OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // Yes and No, warning icon, No as the default button. True for Yes.
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
    // Shows what an import would do and asks how to go on; `anyChanged` offers replacing changed draws.
    virtual ImportChoice previewImport(QWidget* parent, const QString& text, bool anyChanged) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                                 const QString& filter) = 0;

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
