#include "store/Workspace.h"

#include "store/DrawStore.h"

namespace kazutama {

Workspace::Workspace(ConnectionString connection, DrawHistory history, bool created)
    : m_connection(std::move(connection)), m_history(std::move(history)),
      m_summary(computeStartupSummary(m_history)), m_created(created) {}

Result<Workspace> Workspace::read(DrawStore& store, ConnectionString connection, bool created) {
    auto history = store.loadHistory();
    if (!history)
        return history.error();
    return Workspace(std::move(connection), std::move(history).value(), created);
}

Result<Workspace> Workspace::openOrCreate(ConnectionString connection) {
    auto opened = DrawStore::openOrCreate(connection);
    if (!opened)
        return opened.error();
    return read(opened->store, std::move(connection), opened->created);
}

Result<Workspace> Workspace::open(ConnectionString connection, Access access) {
    auto store = DrawStore::open(connection, access);
    if (!store)
        return store.error();
    return read(*store, std::move(connection), false);
}

} // namespace kazutama
