#include "app/StartupRecovery.h"

#include "app/RestoreCommand.h"
#include "common/QuotedInput.h"
#include "gui/BusyCursor.h"
#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "store/Backups.h"
#include "store/Database.h"
#include "store/DatabaseLock.h"
#include "store/RollbackJournal.h"

#include <system_error>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

const QString kEnd = QStringLiteral("終了");

// The journal lies beside the file itself, not beside a link to it.
ConnectionString realFile(const ConnectionString& connection) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(connection.databasePath(), ec);
    return ec ? connection : ConnectionString::forDatabase(real);
}

// Another program started meanwhile on the same file would work on it while it changes.
Status refusedWhenHeldElsewhere(const DatabaseLock& lock) {
    if (lock.state() == DatabaseLock::State::HeldElsewhere)
        return makeError(ErrorCode::InUse, lock.message());
    return Ok{};
}

} // namespace

StartupRecovery::StartupRecovery(QWidget* parent, const ConnectionString& connection)
    : m_parent(parent), m_connection(realFile(connection)) {}

Result<StartupRecovery::Outcome> StartupRecovery::offer(const Error& failure) {
    switch (failure.code) {
    case ErrorCode::Unreadable:
    case ErrorCode::NotOurDatabase:
        return offerBackup(failure);
    case ErrorCode::JournalLeft:
        return offerJournalChoices(failure);
    default:
        return Outcome::NothingToOffer;
    }
}

Result<StartupRecovery::Outcome> StartupRecovery::offerBackup(const Error& failure) {
    const Backups backups(m_connection);
    const std::optional<BackupInfo> newest = backups.newestReadable();
    if (!newest)
        return Outcome::NothingToOffer;
    const Dialogs::Question question{
        applicationTitle(),
        qs(failure.message) + "\n\n" + backupName(*newest) +
            "から復元して開くことができます。今のファイルはバックアップのフォルダに残します。",
        Dialogs::Icon::Critical,
        {QStringLiteral("バックアップから復元して開く"), kEnd},
        1,
        1};
    if (Dialogs::instance().choose(m_parent, question) != 0)
        return Outcome::Declined;
    auto restored = [&]() -> Result<RestoreReport> {
        BusyCursor busy;
        const DatabaseLock lock = DatabaseLock::acquire(m_connection.databasePath());
        if (auto free = refusedWhenHeldElsewhere(lock); !free)
            return free.error();
        return backups.restore(newest->file);
    }();
    if (!restored)
        return restored.error();
    QString text = backupName(*newest) + "から復元しました。";
    if (!restored->previous.empty())
        text += "\n開けなかったファイルは、" + qs(quotePath(restored->previous)) + "に残してあります。";
    Dialogs::instance().message(m_parent, applicationTitle(), text, Dialogs::Icon::Information);
    return Outcome::Recovered;
}

Result<StartupRecovery::Outcome> StartupRecovery::offerJournalChoices(const Error& failure) {
    const fs::path& database = m_connection.databasePath();
    const JournalFinding finding = inspectJournal(database);
    // Gone, or finished by its own program, since the file was opened.
    if (finding == JournalFinding::None || finding == JournalFinding::Ours)
        return Outcome::Recovered;
    const bool unverifiable = finding == JournalFinding::Unverifiable;
    Dialogs::Question question{applicationTitle(), qs(failure.message), Dialogs::Icon::Critical, {}, 0, -1};
    if (unverifiable)
        question.buttons << QStringLiteral("中断した書き込みを元に戻して開く");
    question.buttons << QStringLiteral("今のファイルをそのまま開く") << kEnd;
    question.defaultButton = int(question.buttons.size()) - 1;
    const int choice = Dialogs::instance().choose(m_parent, question);
    if (choice < 0 || choice == question.defaultButton)
        return Outcome::Declined;

    BusyCursor busy;
    const DatabaseLock lock = DatabaseLock::acquire(database);
    Status done = refusedWhenHeldElsewhere(lock);
    if (done && unverifiable && choice == 0)
        done = Database::rollBackJournal(database, m_connection.password());
    else if (done)
        done = Backups(m_connection).setJournalAside();
    if (!done)
        return done.error();
    return Outcome::Recovered;
}

} // namespace kazutama
