#include "store/Transaction.h"

#include "store/Database.h"

namespace kazutama {

Result<Transaction> Transaction::begin(Database& db) {
    // IMMEDIATE takes the write lock at once, so a locked file is reported before any change is made.
    if (auto status = db.exec("BEGIN IMMEDIATE"); !status)
        return status.error();
    return Transaction(&db);
}

Transaction::~Transaction() {
    if (m_db)
        (void)m_db->exec("ROLLBACK");
}

Status Transaction::commit() {
    if (!m_db)
        return makeError(ErrorCode::WriteFailed, "トランザクションは既に終了しています。");
    m_db->recordCommit();
    auto status = m_db->exec("COMMIT");
    if (status) {
        m_db->forgetCommit();
        m_db->countCommit();
        m_db = nullptr;
    }
    return status;
}

} // namespace kazutama
