#pragma once

#include "common/Result.h"
#include "store/ConnectionString.h"
#include "store/Database.h"
#include "store/DatabaseLock.h"
#include "store/Snapshot.h"

#include <optional>
#include <string>

namespace kazutama {

class DrawStore;

// What the program works on from start-up to exit: where the database is, the history read from it once
// and the summary of that history. The database is not kept open: the views read the snapshot, and the
// entry view opens a connection of its own with connection().
class Workspace {
public:
    // The desktop program's start-up: a missing database is created empty (createdDatabase() says so), a
    // file that cannot be used is reported and left untouched. The file is locked for the workspace's
    // lifetime: a file another program holds is refused (ErrorCode::InUse), and a file that cannot be
    // locked is read without writing and the workspace is read-only.
    static Result<Workspace> openOrCreate(ConnectionString connection);
    // An existing database only; a missing one is an error and is not created. A read-only workspace is
    // read without writing a byte of the file.
    static Result<Workspace> open(ConnectionString connection, Access access = Access::ReadWrite);

    Workspace(Workspace&&) = default;
    Workspace& operator=(Workspace&&) = default;
    // Views keep references into the workspace; a copy would leave them pointing at the wrong one.
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const ConnectionString& connection() const { return m_connection; }
    const Snapshot& snapshot() const { return m_snapshot; }
    const DrawHistory& history() const { return m_snapshot.history(); }
    const StartupSummary& summary() const { return m_snapshot.summary(); }
    // Reads the history and its summary again from the file the workspace holds, as start-up reads them,
    // after the entry view wrote it: what opens from then on shows the new history. On an error the
    // snapshot is left as it was.
    Status reread();
    // True when the database file was missing and has just been created.
    bool createdDatabase() const { return m_created; }
    // True when the file could not be locked: nothing may write it while the workspace lives.
    bool isReadOnly() const { return !m_readOnlyReason.empty(); }
    // Why the workspace is read-only, a sentence for the user.
    const std::string& readOnlyReason() const { return m_readOnlyReason; }

private:
    Workspace(ConnectionString connection, Snapshot snapshot, bool created);
    static Result<Workspace> read(DrawStore& store, ConnectionString connection, bool created);

    ConnectionString m_connection;
    Snapshot m_snapshot;
    bool m_created = false;
    std::optional<DatabaseLock> m_lock;
    std::string m_readOnlyReason;
};

} // namespace kazutama
