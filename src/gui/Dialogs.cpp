#include "gui/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kazutama {

namespace {

class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool confirm(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }

    ImportChoice previewImport(QWidget* parent, const QString& text, bool anyChanged) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("CSV取り込み"), text, QMessageBox::NoButton, parent);
        QPushButton* replace =
            anyChanged ? box.addButton(QStringLiteral("変更された回も置き換える(&R)"), QMessageBox::AcceptRole) : nullptr;
        QPushButton* newOnly = box.addButton(anyChanged ? QStringLiteral("新しい回だけ取り込む(&N)")
                                                        : QStringLiteral("取り込む(&O)"),
                                             QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.setEscapeButton(cancel);
        box.exec();
        if (replace && box.clickedButton() == replace)
            return ImportChoice::ReplaceChanged;
        return box.clickedButton() == newOnly ? ImportChoice::NewOnly : ImportChoice::Cancel;
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
        }
        return QMessageBox::NoIcon;
    }
};

Dialogs* g_installed = nullptr;

} // namespace

Dialogs& Dialogs::instance() {
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::install(Dialogs* dialogs) { g_installed = dialogs; }

QString applicationTitle() { return QStringLiteral("Kazutama"); }

QString errorTitle() { return QStringLiteral("メッセ－ジ"); }

} // namespace kazutama
