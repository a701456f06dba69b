#include "gui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
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
        QMessageBox box(toQt(question.icon), question.title, fitOnScreen(question.text),
                        QMessageBox::NoButton, parent);
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

    int chooseRow(QWidget* parent, const RowChoice& choice) override {
        NormalPointer pointer;
        QDialog dialog(parent);
        dialog.setObjectName("rowChoice");
        dialog.setWindowTitle(choice.title);
        auto* text = new QLabel(fitOnScreen(choice.text), &dialog);
        text->setObjectName("rowChoiceText");
        auto* table = rowTable(choice, &dialog);
        auto* buttons = new QDialogButtonBox(&dialog);
        QPushButton* take = buttons->addButton(choice.acceptButton, QDialogButtonBox::AcceptRole);
        take->setDefault(true);
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        const auto chosen = [table] {
            const QModelIndexList rows = table->selectionModel()->selectedRows();
            return rows.isEmpty() ? -1 : rows.front().row();
        };
        QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, take,
                         [take, chosen] { take->setEnabled(chosen() >= 0); });
        QObject::connect(table, &QTableWidget::cellDoubleClicked, &dialog, [&dialog, chosen] {
            if (chosen() >= 0)
                dialog.accept();
        });
        for (std::size_t row = 0; row < choice.rows.size(); ++row)
            if (choice.rows[row].selectable) {
                table->selectRow(int(row));
                break;
            }
        take->setEnabled(chosen() >= 0);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        layout->addWidget(table, 1);
        layout->addWidget(buttons);
        table->setFocus();
        // Rows that cannot be selected are never selected, so whatever is selected may be taken.
        return dialog.exec() == QDialog::Accepted ? chosen() : -1;
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

    QString askText(QWidget* parent, const QString& title, const QString& label) override {
        NormalPointer pointer;
        QInputDialog dialog(parent);
        dialog.setObjectName("askText");
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("キャンセル"));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }

private:
    // Wide enough for every column, high enough for a dozen rows; a longer list scrolls.
    static QTableWidget* rowTable(const RowChoice& choice, QWidget* parent) {
        auto* table = new QTableWidget(int(choice.rows.size()), int(choice.headings.size()), parent);
        table->setObjectName("rowChoiceTable");
        table->setHorizontalHeaderLabels(choice.headings);
        table->verticalHeader()->hide();
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setWordWrap(false);
        for (std::size_t r = 0; r < choice.rows.size(); ++r) {
            const RowChoice::Row& row = choice.rows[r];
            for (int c = 0; c < table->columnCount(); ++c) {
                auto* item = new QTableWidgetItem(c < row.texts.size() ? row.texts[c] : QString());
                item->setFlags(row.selectable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags);
                table->setItem(int(r), c, item);
            }
        }
        table->resizeColumnsToContents();
        QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < table->columnCount(); ++c)
            header->resizeSection(c, header->sectionSize(c) + table->fontMetrics().averageCharWidth() * 2);
        header->setStretchLastSection(true);
        const int rows = std::min(table->rowCount(), 12);
        const int frame = 2 * table->frameWidth();
        table->setMinimumSize(header->length() + frame + table->verticalScrollBar()->sizeHint().width(),
                              header->sizeHint().height() +
                                  rows * table->verticalHeader()->defaultSectionSize() + frame);
        return table;
    }

    static QMessageBox::Icon toQt(Icon icon) {
        switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }
};

Dialogs* g_installed = nullptr;

} // namespace

bool Dialogs::confirm(QWidget* parent, const QString& title, const QString& text) {
    const Question question{
        title, text, Icon::Warning, {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}, 1, 1};
    return choose(parent, question) == 0;
}

QString Dialogs::askText(QWidget*, const QString&, const QString&) {
    return {};
}

Dialogs& Dialogs::instance() {
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void Dialogs::install(Dialogs* dialogs) {
    g_installed = dialogs;
}

QString applicationTitle() {
    return QStringLiteral("Kazutama");
}

QString errorTitle() {
    return QStringLiteral("メッセ－ジ");
}

} // namespace kazutama
