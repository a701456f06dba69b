#include "entry/EntryCsv.h"

#include "common/FileWrite.h"
#include "common/QuotedInput.h"
#include "entry/EntryModel.h"
#include "gui/BusyCursor.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "gui/WorkProgress.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/HistoryImport.h"
#include "store/TicketStore.h"

#include <optional>

namespace kazutama {

EntryCsv::EntryCsv(QWidget* parent, DrawStore& store, EntryModel& model,
                   std::function<void(const QString&)> reportFailure)
    : m_parent(parent), m_store(store), m_model(model), m_reportFailure(std::move(reportFailure)) {}

void EntryCsv::importFile() const {
    const QString name =
        Dialogs::instance().openFileName(m_parent, QStringLiteral("CSV取り込み"),
                                         QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
    if (name.isEmpty())
        return;
    std::optional<ImportedHistory> imported;
    std::optional<ImportReport> preview;
    {
        WorkProgress progress(m_parent, QStringLiteral("取り込む内容を確かめています..."));
        auto read = readHistoryImportFile(toPath(name));
        if (!read) {
            m_reportFailure(qs(read.error().message) + "\n何も取り込んでいません。");
            return;
        }
        auto counted = m_store.previewImport(read->draws, progress.callback());
        if (!counted) {
            // Stopped by the user, who needs no message for it.
            if (counted.error().code != ErrorCode::Cancelled)
                m_reportFailure(qs(counted.error().message));
            return;
        }
        imported = std::move(read).value();
        preview = counted.value();
    }

    QString text = QStringLiteral("%1\n%2\n\n新しい回: %3 件\n数字が変わる回: %4 件\n同じ内容の回: %5 件")
                       .arg(qs(quotePath(toPath(name))), qs(imported->layout))
                       .arg(preview->added)
                       .arg(preview->replaced)
                       .arg(preview->unchanged);
    // How draws were numbered, lines merged or skipped: the user decides with these in view.
    for (const std::string& note : imported->notes)
        text += QStringLiteral("\n\n") + qs(note);
    if (!imported->drawsWithRepeatedNumbers.empty())
        text += QStringLiteral("\n\n同じ数字が 2 回以上ある回: ") +
                qs(listDrawNumbers(imported->drawsWithRepeatedNumbers));
    // Replacing confirms exactly these draws; another one found when writing refuses the import.
    if (!preview->emptied.empty())
        text += QStringLiteral("\n\n置き換えると、保存されている数字が空欄になる回: ") +
                qs(listDrawNumbers(preview->emptied));
    // Replacing stored numbers is offered only when the file would change some; Cancel is the default.
    Dialogs::Question question{QStringLiteral("CSV取り込み"), text, Dialogs::Icon::Question, {}, 0, -1};
    if (preview->replaced > 0)
        question.buttons << QStringLiteral("変更された回も置き換える(&R)")
                         << QStringLiteral("新しい回だけ取り込む(&N)");
    else
        question.buttons << QStringLiteral("取り込む(&O)");
    question.buttons << QStringLiteral("キャンセル");
    question.defaultButton = int(question.buttons.size()) - 1;
    const int choice = Dialogs::instance().choose(m_parent, question);
    if (choice == question.defaultButton)
        return;
    const bool replaceChanged = preview->replaced > 0 && choice == 0;
    auto result = [&] {
        WorkProgress progress(m_parent, QStringLiteral("当選データを取り込んでいます..."));
        auto written =
            m_store.importDraws(imported->draws, replaceChanged, preview->emptied, progress.callback());
        m_model.reload();
        return written;
    }();
    // The dates go in after the draws; a failure there loses none of the draws just written.
    int dated = 0;
    if (result) {
        auto stored = storeDrawDates(m_store, imported->dates);
        if (!stored)
            m_reportFailure(qs(stored.error().message) +
                            "\n当選データは取り込みましたが、抽選日は保存していません。");
        dated = stored ? stored.value() : 0;
    }
    if (!result && result.error().code == ErrorCode::Cancelled) {
        Dialogs::instance().message(m_parent, applicationTitle(), qs(result.error().message),
                                    Dialogs::Icon::Information);
        return;
    }
    if (!result) {
        m_reportFailure(qs(result.error().message) + "\n何も取り込んでいません。");
        return;
    }
    Dialogs::instance().message(m_parent, applicationTitle(),
                                QStringLiteral("取り込みました。新しい回: %1 件、置き換えた回: %2 件")
                                        .arg(result->added)
                                        .arg(result->replaced) +
                                    (dated > 0 ? QStringLiteral("、抽選日: %1 件").arg(dated) : QString()),
                                Dialogs::Icon::Information);
}

void EntryCsv::exportFile() const {
    const QString name = Dialogs::instance().saveFileName(m_parent, QStringLiteral("CSV書き出し"),
                                                          QStringLiteral("当選データ.csv"),
                                                          QStringLiteral("CSV ファイル (*.csv)"));
    if (name.isEmpty())
        return;
    BusyCursor busy(BusyCursor::Pump::No);
    auto history = m_store.loadHistory();
    if (!history) {
        m_reportFailure(qs(history.error().message));
        return;
    }
    auto dates = loadDrawDates(m_store);
    if (!dates) {
        m_reportFailure(qs(dates.error().message));
        return;
    }
    if (auto written =
            writeWholeFile(toPath(name), formatHistoryCsv(history.value(), dates.value()), "CSVファイル");
        !written) {
        m_reportFailure(qs(written.error().message));
        return;
    }
    Dialogs::instance().message(m_parent, applicationTitle(),
                                QStringLiteral("%1 回分の当選データを書き出しました。").arg(history->size()),
                                Dialogs::Icon::Information);
}

} // namespace kazutama
