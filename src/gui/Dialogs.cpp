#include "gui/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace kazutama {

namespace {

class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    int choose(QWidget* parent, const Question& question) override {
        QMessageBox box(toQt(question.icon), question.title, question.text, QMessageBox::NoButton, parent);
        std::vector<QPushButton*> buttons;
        for (const QString& caption : question.buttons)
            buttons.push_back(box.addButton(caption, QMessageBox::ActionRole));
        if (buttons.empty())
            buttons.push_back(box.addButton(QMessageBox::Ok));
        const int last = int(buttons.size()) - 1;
        const int escape = question.escapeButton < 0 ? last : std::min(question.escapeButton, last);
        box.setDefaultButton(buttons[std::clamp(question.defaultButton, 0, last)]);
        box.setEscapeButton(buttons[escape]);
        box.exec();
        const auto pressed = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        return pressed == buttons.end() ? escape : int(pressed - buttons.begin());
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    }

    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, suggestedName, filter);
    }

private:
    static QMessageBox::Icon toQt(Icon icon) {
        switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }
};

Dialogs* g_installed = nullptr;

} // namespace

bool Dialogs::confirm(QWidget* parent, const QString& title, const QString& text) {
    const Question question{title, text, Icon::Warning, {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}, 1, 1};
    return choose(parent, question) == 0;
}

Dialogs& Dialogs::instance() {
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::install(Dialogs* dialogs) { g_installed = dialogs; }

QString applicationTitle() { return QStringLiteral("Kazutama"); }

QString errorTitle() { return QStringLiteral("メッセ－ジ"); }

} // namespace kazutama
