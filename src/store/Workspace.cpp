#include "store/Workspace.h"

#include "store/DrawStore.h"
#include "store/TicketStore.h"

namespace kazutama {

namespace {

Result<Snapshot> readSnapshot(DrawStore& store) {
    auto history = store.loadHistory();
    if (!history)
        return history.error();
    auto dates = loadDrawDates(store);
    if (!dates)
        return dates.error();
    return Snapshot(std::move(history).value(), std::move(dates).value());
}

} // namespace

Workspace::Workspace(ConnectionString connection, Snapshot snapshot, bool created)
    : m_connection(std::move(connection)), m_snapshot(std::move(snapshot)), m_created(created) {}

Result<Workspace> Workspace::read(DrawStore& store, ConnectionString connection, bool created) {
    auto snapshot = readSnapshot(store);
    if (!snapshot)
        return snapshot.error();
    return Workspace(std::move(connection), std::move(snapshot).value(), created);
}

Result<Workspace> Workspace::openOrCreate(ConnectionString connection) {
    auto created = DrawStore::createIfMissing(connection);
    if (!created)
        return created.error();
    DatabaseLock lock = DatabaseLock::acquire(connection.databasePath());
    if (lock.state() == DatabaseLock::State::HeldElsewhere)
        return makeError(ErrorCode::InUse, lock.message());
    const bool ours = lock.state() == DatabaseLock::State::Exclusive;
    // From here on the file is named by the path that was locked, whatever a link is changed to meanwhile.
    connection = ConnectionString::forDatabase(lock.file());
    auto store = DrawStore::open(connection, ours ? Access::ReadWrite : Access::ReadOnly);
    if (!store)
        return store.error();
    auto workspace = read(*store, std::move(connection), *created);
    if (!workspace)
        return workspace.error();
    if (!ours)
        workspace->m_readOnlyReason = lock.message();
    workspace->m_lock.emplace(std::move(lock));
    return workspace;
}

Status Workspace::reread() {
    auto store = DrawStore::open(m_connection, isReadOnly() ? Access::ReadOnly : Access::ReadWrite);
    if (!store)
        return store.error();
    auto snapshot = readSnapshot(*store);
    if (!snapshot)
        return snapshot.error();
    m_snapshot = std::move(snapshot).value();
    return Ok{};
}

Result<Workspace> Workspace::open(ConnectionString connection, Access access) {
    auto store = DrawStore::open(connection, access);
    if (!store)
        return store.error();
    return read(*store, std::move(connection), false);
}

} // namespace kazutama
