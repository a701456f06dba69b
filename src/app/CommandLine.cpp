#include "app/CommandLine.h"

#include "analyses/ViewCatalogue.h"
#include "analyses/ui/AnalysisView.h"
#include "app/AppFiles.h"
#include "grid/ResultGrid.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/PredictionEngine.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ui/PredictionView.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionString.h"
#include "store/Workspace.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <string_view>

namespace kazutama {

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

void say(const QString& text) {
    std::fprintf(stderr, "kazutama: %s\n", text.toLocal8Bit().constData());
}

int exportView(const QString& view, const QString& file, const QString& database) {
    const std::optional<TableFile> kind = tableFileFor(file);
    if (!kind) {
        say(QStringLiteral(
                "書き出すファイルの種類が分かりません: %1（.pdf .png .html .csv のいずれかにしてください）")
                .arg(file.left(80)));
        return kUsage;
    }
    const ViewEntry* entry = ViewCatalogue::find(view.toStdString());
    const bool prediction = view == qs(kPredictionViewName);
    if (!prediction && !entry) {
        say(QStringLiteral("そのような分析ビューはありません: %1（kazutama-cli views で一覧を表示できます）")
                .arg(view.left(40)));
        return kUsage;
    }
    if (prediction && (*kind == TableFile::Csv || *kind == TableFile::Html)) {
        say(QStringLiteral(
                "%1 は PDF か PNG で書き出してください（数字は kazutama-cli predict でも出力できます）")
                .arg(view));
        return kUsage;
    }

    const ConnectionString connection =
        database.isEmpty() ? ConnectionString::forDatabase(AppFiles::defaults().databaseFile())
                           : ConnectionString::forDatabase(toPath(database));
    auto workspace = Workspace::open(connection, Access::ReadOnly);
    if (!workspace) {
        say(qs(workspace.error().message));
        return kFailed;
    }

    std::array<ResultGrid, kPredictionGridCount> grids;
    ResultGrid grid;
    AnalysisOptions options;
    TableDocument document = [&] {
        if (prediction) {
            options = ReadInitFile(AppFiles::defaults().settingsFile);
            PredictionEngine engine;
            engine.fillTables(workspace->snapshot());
            grids = predictionGrids(engine.run(options));
            return predictionDocument(options, grids);
        }
        grid = entry->build(workspace->snapshot());
        return analysisDocument(*entry, grid);
    }();
    const auto written = writeTableFile(document, file, *kind);
    if (!written) {
        say(qs(written.error().message));
        return kFailed;
    }
    return 0;
}

} // namespace

void CommandLine::prepare(int argc, char** argv) {
    // An export, like the help text, runs where there may be no screen; no window is shown.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg.starts_with("--export") || arg == "--help" || arg == "-h" || arg == "--help-all" ||
             arg == "--version" || arg == "-v") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

std::optional<int> CommandLine::run() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("数字選択式くじの当選番号を分析し、次回の当選数字を予想します。"));
    // Qt's own help and version options describe themselves in English whatever the language.
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("使い方を表示して終了します。")));
    parser.addOption(QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("バージョンを表示して終了します。")));
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("分析ビュー VIEW の表をファイル FILE（.pdf .png .html .csv）に書き出して終了します。"),
        QStringLiteral("VIEW"));
    const QCommandLineOption databaseOption(QStringLiteral("database"),
                                            QStringLiteral("--export で読む当選データのデータベース。"),
                                            QStringLiteral("DB"));
    parser.addOption(exportOption);
    parser.addOption(databaseOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("--export の書き出し先。"));
    if (!parser.parse(QCoreApplication::arguments())) {
        say(parser.errorText());
        return kUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!parser.isSet(exportOption)) {
        if (!parser.positionalArguments().isEmpty() || parser.isSet(databaseOption)) {
            say(QStringLiteral("引数が正しくありません（kazutama --help で使い方を表示します）"));
            return kUsage;
        }
        return std::nullopt;
    }
    if (parser.positionalArguments().size() != 1) {
        say(QStringLiteral("使い方: kazutama --export VIEW FILE [--database DB]"));
        return kUsage;
    }
    return exportView(parser.value(exportOption), parser.positionalArguments().front(),
                      parser.value(databaseOption));
}

} // namespace kazutama
