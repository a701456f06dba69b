// init, import, export, backup and restore: the history database, its CSV form and its copies.

#include "cli/CliCommands.h"
#include "common/FileWrite.h"
#include "store/Backups.h"
#include "store/DatabaseLock.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "store/HistoryImport.h"
#include "store/TicketStore.h"

#include <iostream>
#include <ostream>

namespace kazutama::cli {

namespace {

constexpr std::string_view kImportUsage = "import DB FILE.csv [--replace-with-empty]";

void requireArgs(const Args& args, size_t minimum, size_t maximum, std::string_view usage) {
    if (args.size() < minimum || args.size() > maximum)
        throw CliError{"引数が正しくありません。使い方: kazutama-cli " + std::string(usage)};
}

} // namespace

void runInit(const Args& args, std::ostream&) {
    requireArgs(args, 1, 1, "init DB");
    orThrow(DrawStore::create(ConnectionString::forDatabase(args[0])));
}

void runImport(const Args& args, std::ostream& out) {
    const ParsedArgs parsed =
        parseArgs(args, {}, {"--replace-with-empty"}, {"データベースファイル", "CSVファイル"}, kImportUsage);
    // The file is checked completely before the database is touched (or created).
    const ImportedHistory imported = orThrow(readHistoryImportFile(parsed.positional[1]));
    const ConnectionString database = ConnectionString::forDatabase(parsed.positional[0]);
    auto opened = orThrow(DrawStore::openOrCreate(database));
    BackupOnFirstWrite backup(Backups(database),
                              [](const std::string& notice) { std::cerr << "注: " << notice << '\n'; });
    opened.store.backUpBeforeWriting(&backup);
    // Numbers are emptied only when asked: a blank field may as well be a mistake in the file.
    const bool replaceWithEmpty = parsed.has("--replace-with-empty");
    std::vector<int> mayEmpty;
    if (replaceWithEmpty)
        mayEmpty = orThrow(opened.store.previewImport(imported.draws)).emptied;
    auto written = opened.store.importDraws(imported.draws, true, mayEmpty);
    if (!written && written.error().code == ErrorCode::WouldLoseData && !replaceWithEmpty)
        throw CliError{written.error().message +
                       "空にしてよい場合は --replace-with-empty を付けてください。何も取り込んでいません。"};
    const ImportReport report = orThrow(std::move(written));
    const int dated = orThrow(storeDrawDates(opened.store, imported.dates));
    // Draw numbers assigned by row order and repeated numbers are worth a second look, so say so.
    for (const std::string& note : imported.notes)
        out << "注: " << note << '\n';
    if (!imported.drawsWithRepeatedNumbers.empty()) {
        out << "注: 同じ数字が 2 回以上ある回:";
        for (int draw : imported.drawsWithRepeatedNumbers)
            out << ' ' << draw;
        out << '\n';
    }
    out << "取り込みました: 新規 " << report.added << " 件、置き換え " << report.replaced << " 件、変更なし "
        << report.unchanged << " 件";
    if (dated > 0)
        out << "、抽選日 " << dated << " 件";
    out << "\n";
}

void runExport(const Args& args, std::ostream& out) {
    requireArgs(args, 1, 2, "export DB [FILE.csv]");
    const Snapshot snapshot = loadSnapshotOrThrow(args[0]);
    const std::string csv = formatHistoryCsv(snapshot.history(), snapshot.dates());
    if (args.size() == 1) {
        out << csv;
        return;
    }
    orThrow(writeWholeFile(args[1], csv, "CSVファイル"));
}

void runBackup(const Args& args, std::ostream& out) {
    requireArgs(args, 1, 2, "backup DB [DIR]");
    const ConnectionString database = ConnectionString::forDatabase(args[0]);
    auto store = orThrow(DrawStore::open(database));
    const Backups backups = args.size() == 2 ? Backups(database, args[1]) : Backups(database);
    out << orThrow(backups.take(store.database())).string() << '\n';
}

void runRestore(const Args& args, std::ostream& out) {
    requireArgs(args, 2, 2, "restore DB BACKUP");
    const ConnectionString database = ConnectionString::forDatabase(args[0]);
    // A desktop program showing this history would go on showing the old one, and could write into it.
    const DatabaseLock lock = DatabaseLock::acquire(database.databasePath());
    if (lock.state() == DatabaseLock::State::HeldElsewhere)
        throw CliError{lock.message()};
    const RestoreReport report = orThrow(Backups(database).restore(args[1]));
    out << "復元しました: " << report.restored.draws << " 回分（最新 第" << report.restored.latestDraw
        << "回）\n";
    if (!report.previous.empty())
        out << "復元する前のファイル: " << report.previous.string() << '\n';
}

} // namespace kazutama::cli
