#include "app/FirstHistory.h"

#include "common/QuotedInput.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "gui/WorkProgress.h"
#include "store/DrawStore.h"
#include "store/HistoryImport.h"

#include <system_error>

namespace kazutama {

namespace {

// Reads a history file into the new database. False, with the user told why, when nothing was stored.
bool importInto(QWidget* parent, const ConnectionString& connection, const std::filesystem::path& file) {
    QString failure;
    {
        WorkProgress progress(parent, QStringLiteral("当選データを読み込んでいます..."));
        auto read = readHistoryImportFile(file);
        auto store = read ? DrawStore::open(connection) : Result<DrawStore>(read.error());
        auto imported = store ? store->importDraws(read->draws, true, {}, progress.callback())
                              : Result<ImportReport>(store.error());
        if (imported)
            return true;
        if (imported.error().code == ErrorCode::Cancelled)
            return false;
        failure = qs(imported.error().message);
    }
    Dialogs::instance().message(parent, applicationTitle(),
                                failure + QStringLiteral("\n当選データは空のままです。"),
                                Dialogs::Icon::Warning);
    return false;
}

} // namespace

bool offerFirstHistory(QWidget* parent, const ConnectionString& connection,
                       const std::filesystem::path& sampleHistory) {
    std::error_code error;
    const bool hasSample = std::filesystem::is_regular_file(sampleHistory, error);
    Dialogs::Question question{
        applicationTitle(),
        "当選データのデータベースが見つからなかったため、新しく作成しました。\n" +
            qs(quotePath(connection.databasePath())) +
            "\n\n当選データは「データ管理」の「当選データ入力」で入力できます。" +
            (hasSample ? QStringLiteral("付属のサンプル（実際の過去の当選番号）や、") : QString()) +
            QStringLiteral("CSVファイルから今すぐ読み込むこともできます。"),
        Dialogs::Icon::Information,
        {},
        0,
        -1};
    if (hasSample)
        question.buttons << QStringLiteral("サンプルを読み込む(&S)");
    question.buttons << QStringLiteral("CSVファイルを読み込む(&C)...")
                     << QStringLiteral("空のまま始める(&E)");
    // Enter takes the sample where there is one, and never opens a file dialog unasked.
    question.defaultButton = hasSample ? 0 : int(question.buttons.size()) - 1;
    const int choice = Dialogs::instance().choose(parent, question);
    const int csvButton = hasSample ? 1 : 0;
    if (hasSample && choice == 0)
        return importInto(parent, connection, sampleHistory);
    if (choice != csvButton)
        return false;
    const QString name =
        Dialogs::instance().openFileName(parent, QStringLiteral("CSVファイルを読み込む"),
                                         QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
    return !name.isEmpty() && importInto(parent, connection, toPath(name));
}

} // namespace kazutama
