// kazutama-cli: the history database and the analyses from the command line, on the same core code as
// the desktop program.

#include "cli/CliCommands.h"
#include "store/Workspace.h"

#include <clocale>
#include <iostream>

namespace kazutama::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"init", "init    DB                 新しい空の履歴データベースを作成します（既にあれば失敗）",
         runInit},
        {"import",
         "import  DB FILE.csv [--replace-with-empty]  "
         "CSVの当選データを追加・置き換えします（DBがなければ作成。"
         "--replace-with-empty: ファイルの空欄で保存済みの数字を消すことも許します）",
         runImport},
        {"export", "export  DB [FILE.csv]      履歴全体をCSVで書き出します（FILE省略時は標準出力）",
         runExport},
        {"summary", "summary DB                 起動時集計をJSONで出力します", runSummary},
        {"predict", "predict DB [--ini FILE]    当選予想をJSONで出力します（既定の設定は Kazutama.ini）",
         runPredict},
        {"views",
         "views   [--menu]           使用できる分析ビュー名を1行に1つ出力します（--menu: メニューの全項目）",
         runViews},
        {"table",
         "table   DB VIEW [--format json|csv|data-csv|html]  分析ビューの表を出力します（既定は "
         "JSON。data-csv: 表計算ソフト向けの1行1件のCSV）",
         runTable},
        {"backtest",
         "backtest DB [--ini FILE] [--sweep] [--format json|csv]  過去の当選で予想を検証します（既定は "
         "JSON）",
         runBacktest},
        {"backup",
         "backup  DB [DIR]           履歴のバックアップを作ります（DIR省略時はDBの横の「…-backups」）",
         runBackup},
        {"restore",
         "restore DB BACKUP          バックアップから復元します（今のファイルもバックアップに残します）",
         runRestore},
        {"search",
         "search  DB N... [--with-bonus] [--format json|csv]  "
         "1〜7個の数字をすべて含む回と、偶然だけで期待される回数を出力します（既定は JSON。"
         "--with-bonus: ボーナス数字も含めて探します）",
         runSearch},
        {"check",
         "check   DB N1 … N7 [--format json]  "
         "7個の数字を過去の全当選と照合し、等級と本数字の当たり数ごとの回数を"
         "偶然だけで期待される回数と並べてJSONで出力します",
         runCheck},
        {"tickets",
         "tickets DB add N1 … N7 --from D [--to D] [--memo TEXT] | list [--format json|csv] | delete ID | "
         "check | import FILE.csv | export [FILE.csv]  "
         "購入数字を追加・一覧・削除し、当選と照合します（add は新しい購入数字の番号を出力します）",
         runTickets},
        {"generate",
         "generate DB [--include N,…] [--exclude N,…] [--sum A-B] [--odd A-B] [--low A-B] [--consecutive "
         "A-B] "
         "[--stepping A-B] [--previous A-B] [--same-last-digit-max K] [--past-match-max K] "
         "[--pool elimination|multiple|cycle7|cycle9|cycle11|cycle12] [--ini FILE] [--count N] [--seed S] "
         "[--format json|csv]  "
         "条件を満たす組み合わせから数字の組を作り、条件ごとに全組み合わせのうち満たす割合と"
         "過去の当選のうち満たした割合を並べて出力します（既定は JSON で 10 組）",
         runGenerate},
    };
    return table;
}

Snapshot loadSnapshotOrThrow(const std::string& databasePath) {
    // Workspace::open, not openOrCreate: a command that only reads never leaves an empty database behind.
    auto workspace = Workspace::open(ConnectionString::forDatabase(databasePath), Access::ReadOnly);
    if (!workspace)
        throw CliError{workspace.error().message};
    return workspace->snapshot();
}

namespace {

void printUsage(std::ostream& out) {
    out << "使い方: kazutama-cli <コマンド> [引数]\n";
    for (const Command& command : commands())
        out << "  kazutama-cli " << command.usage << '\n';
}

} // namespace
} // namespace kazutama::cli

int main(int argc, char** argv) {
    using namespace kazutama::cli;
    std::setlocale(LC_ALL, "");
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        printUsage(std::cout);
        return 0;
    }
    if (name == "--version" || name == "-v") {
        std::cout << "kazutama-cli " KAZUTAMA_VERSION "\n";
        return 0;
    }
    for (const Command& command : commands()) {
        if (command.name != name)
            continue;
        try {
            command.run(Args(argv + 2, argv + argc), std::cout);
            std::cout.flush();
            if (!std::cout) {
                std::cerr << "kazutama-cli: 出力を書き込めませんでした。\n";
                return 1;
            }
            return 0;
        } catch (const CliError& error) {
            std::cerr << "kazutama-cli: " << error.message << '\n';
            return 1;
        }
    }
    std::cerr << "kazutama-cli: 不明なコマンドです: " << name << '\n';
    return 2;
}
