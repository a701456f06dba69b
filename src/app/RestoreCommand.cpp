#include "app/RestoreCommand.h"

#include "app/MainFrm.h"
#include "common/QuotedInput.h"
#include "gui/BusyCursor.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "store/Backups.h"

namespace kazutama {

namespace {

const QString kTitle = QStringLiteral("バックアップから復元");

QString drawsText(const BackupInfo& backup) {
    QString text = QStringLiteral("%1 回分").arg(backup.draws);
    if (backup.latestDraw > 0)
        text += QStringLiteral("、最新 第%1回").arg(backup.latestDraw);
    return text;
}

Dialogs::RowChoice::Row listRow(const BackupInfo& backup) {
    const QString time = qs(Backups::timeText(backup.takenAt));
    if (!backup.readable)
        return {{time, QStringLiteral("読み込めません"), QString()}, false};
    const QString latest =
        backup.latestDraw > 0 ? QStringLiteral("第%1回").arg(backup.latestDraw) : QStringLiteral("なし");
    return {{time, QString::number(backup.draws), latest}, true};
}

} // namespace

QString backupName(const BackupInfo& backup) {
    return QStringLiteral("%1 のバックアップ（%2）")
        .arg(qs(Backups::timeText(backup.takenAt)), drawsText(backup));
}

void RestoreCommand::run() {
    if (m_frame.isReadOnly()) {
        Dialogs::instance().message(&m_frame, errorTitle(),
                                    "読み取り専用で開いているため、バックアップから復元できません。\n" +
                                        qs(m_frame.workspace().readOnlyReason()),
                                    Dialogs::Icon::Warning);
        return;
    }
    const Backups backups(m_frame.connectionString());
    const std::vector<BackupInfo> list = [&] {
        BusyCursor busy;
        return backups.list();
    }();
    if (list.empty()) {
        Dialogs::instance().message(&m_frame, kTitle,
                                    "バックアップはまだありません。\n"
                                    "バックアップは、Kazutamaを起動してから当選データを初めて書き込むとき"
                                    "（当選データ入力での入力、行追加、行削除、CSV取り込み）に、" +
                                        qs(quotePath(backups.folder())) + "へ自動で作られます。",
                                    Dialogs::Icon::Information);
        return;
    }
    if (const std::optional<std::size_t> row = chooseBackup(backups, list))
        restore(backups, list[*row]);
}

std::optional<std::size_t> RestoreCommand::chooseBackup(const Backups& backups,
                                                        const std::vector<BackupInfo>& list) {
    Dialogs::RowChoice choice{kTitle,
                              "復元するバックアップを選んでください。\nバックアップの場所: " +
                                  qs(quotePath(backups.folder())),
                              {QStringLiteral("日時"), QStringLiteral("回数"), QStringLiteral("最新の回")},
                              {},
                              QStringLiteral("復元(&R)...")};
    for (const BackupInfo& backup : list)
        choice.rows.push_back(listRow(backup));
    const int row = Dialogs::instance().chooseRow(&m_frame, choice);
    if (row < 0)
        return std::nullopt;
    const Dialogs::Question question{kTitle,
                                     backupName(list[std::size_t(row)]) +
                                         "を復元して、今の当選データと置き換えます。\n"
                                         "今のファイルは、復元する前にバックアップとして残します。\n"
                                         "開いているウィンドウはすべて閉じます。\n\nよろしいですか？",
                                     Dialogs::Icon::Warning,
                                     {QStringLiteral("復元する(&R)"), QStringLiteral("キャンセル")},
                                     1,
                                     1};
    if (Dialogs::instance().choose(&m_frame, question) != 0)
        return std::nullopt;
    return std::size_t(row);
}

void RestoreCommand::restore(const Backups& backups, const BackupInfo& backup) {
    const QString prediction = qs(kPredictionViewName);
    std::optional<Result<RestoreReport>> restored;
    {
        BusyCursor busy;
        // No window may go on showing, or writing, the history being replaced.
        if (m_frame.closeAllViews())
            restored = backups.restore(backup.file);
    }
    if (!restored) {
        Dialogs::instance().message(
            &m_frame, kTitle, QStringLiteral("開いているウィンドウを閉じられないため、復元しませんでした。"),
            Dialogs::Icon::Warning);
        return;
    }
    if (!*restored) {
        Dialogs::instance().message(&m_frame, kTitle,
                                    qs(restored->error().message) + "\n当選データは復元する前のままです。",
                                    Dialogs::Icon::Critical);
        m_frame.openView(prediction);
        return;
    }
    {
        BusyCursor busy(BusyCursor::Pump::No);
        if (!m_frame.reloadWorkspace())
            return;
    }
    QString text = backupName(backup) + "を復元しました。";
    if (!(*restored)->previous.empty())
        text += "\n復元する前のファイルは、" + qs(quotePath((*restored)->previous)) + "に残してあります。";
    Dialogs::instance().message(&m_frame, kTitle, text, Dialogs::Icon::Information);
    m_frame.openView(prediction);
}

} // namespace kazutama
