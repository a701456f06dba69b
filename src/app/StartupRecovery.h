#pragma once

#include "common/Result.h"
#include "store/ConnectionString.h"

class QWidget;

namespace kazutama {

// What start-up offers for a database that cannot be used as it is, and does at the user's word: a damaged
// file, or one that is not ours, is replaced by its newest readable backup; a journal that is not rolled back
// is set aside into the backup folder or, when its origin cannot be checked, rolled back.
class StartupRecovery {
public:
    enum class Outcome {
        NothingToOffer, // the failure stands
        Declined,       // the user chose to end
        Recovered,      // the database may be opened again
    };

    StartupRecovery(QWidget* parent, const ConnectionString& connection);

    // Asks what to do about `failure` and does it; a recovery that fails gives its error.
    Result<Outcome> offer(const Error& failure);

private:
    Result<Outcome> offerBackup(const Error& failure);
    Result<Outcome> offerJournalChoices(const Error& failure);

    QWidget* m_parent;
    ConnectionString m_connection;
};

} // namespace kazutama
