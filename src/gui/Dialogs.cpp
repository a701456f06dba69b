#include "gui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace kazutama {

namespace {

// A dialog that comes up in the middle of a long step, under a BusyCursor, waits for the user: it shows the
// normal pointer, and the hourglass comes back when it closes.
class NormalPointer {
public:
    NormalPointer() {
        while (const QCursor* cursor = QApplication::overrideCursor()) {
            m_lifted.push_back(*cursor);
            QApplication::restoreOverrideCursor();
        }
    }
    ~NormalPointer() {
        for (auto cursor = m_lifted.rbegin(); cursor != m_lifted.rend(); ++cursor)
            QApplication::setOverrideCursor(*cursor);
    }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;

private:
    std::vector<QCursor> m_lifted;
};

// What a message box shows of a text: enough lines of enough characters to say what is wrong, never a box
// larger than the screen or a label that takes minutes to lay out, whatever a caller passes on. A long run
// without a space (a path, a bad field) gets invisible break points so that it wraps instead of widening
// the box.
QString fitOnScreen(const QString& text) {
    constexpr qsizetype kMaxLines = 20;
    constexpr qsizetype kMaxLineChars = 120;
    constexpr qsizetype kMaxChars = 640;
    constexpr int kMaxRun = 40;
    const QString more = QStringLiteral("…");
    QStringList lines;
    qsizetype start = 0, budget = kMaxChars;
    while (start <= text.size() && lines.size() < kMaxLines && budget > 0) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype length = std::min({end - start, kMaxLineChars, budget});
        budget -= std::max<qsizetype>(length, 1);
        if (length < end - start && length > 0 && text.at(start + length - 1).isHighSurrogate())
            --length;
        QString line;
        int run = 0;
        for (qsizetype i = start; i < start + length; ++i) {
            const QChar c = text.at(i);
            run = c.isSpace() ? 0 : run + 1;
            if (run > kMaxRun && !c.isLowSurrogate()) {
                line += QChar(0x200B);
                run = 1;
            }
            line += c;
        }
        if (length < end - start)
            line += more;
        lines << line;
        start = end + 1;
    }
    if (start <= text.size())
        lines << more;
    return lines.join(QLatin1Char('\n'));
}

class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        NormalPointer pointer;
        QMessageBox box(toQt(icon), title, fitOnScreen(text), QMessageBox::Ok, parent);
        box.exec();
    }

    int choose(QWidget* parent, const Question& question) override {
        NormalPointer pointer;
        QMessageBox box(toQt(question.icon), question.title, fitOnScreen(question.text), QMessageBox::NoButton,
                        parent);
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
        NormalPointer pointer;
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    }

    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                         const QString& filter) override {
        NormalPointer pointer;
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
