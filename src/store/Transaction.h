#pragma once

#include "common/Result.h"

namespace kazutama {

class Database;

// BEGIN on creation; ROLLBACK on destruction unless commit() succeeded, so every early return of a
// failed write leaves the database as it was.
class Transaction {
public:
    static Result<Transaction> begin(Database& db);

    Transaction(Transaction&& other) noexcept : m_db(other.m_db) { other.m_db = nullptr; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    Transaction& operator=(Transaction&&) = delete;
    ~Transaction();

    Status commit();

private:
    explicit Transaction(Database* db) : m_db(db) {}
    Database* m_db = nullptr;
};

} // namespace kazutama
