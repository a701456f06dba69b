#include "store/Statement.h"

#include "store/DatabaseError.h"

#include <cmath>
#include <sqlite3.h>
#include <string>

namespace kazutama {

Statement::Statement(Statement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) {
    other.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Error Statement::failure() const {
    const bool reads = m_stmt && sqlite3_stmt_readonly(m_stmt);
    return databaseError(m_db, sqlite3_extended_errcode(m_db),
                         reads ? DatabaseAccess::Read : DatabaseAccess::Write);
}

Status Statement::bindInt(int index, int value) {
    if (sqlite3_bind_int(m_stmt, index, value) != SQLITE_OK)
        return failure();
    return Ok{};
}

Status Statement::bindIntOrNull(int index, int value) {
    if (value == 0)
        return sqlite3_bind_null(m_stmt, index) == SQLITE_OK ? Status(Ok{}) : Status(failure());
    return bindInt(index, value);
}

Status Statement::bindText(int index, std::string_view value) {
    return sqlite3_bind_text(m_stmt, index, value.data(), int(value.size()), SQLITE_TRANSIENT) == SQLITE_OK
               ? Status(Ok{})
               : Status(failure());
}

Result<bool> Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    return failure();
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

int Statement::columnIndex(std::string_view name) const {
    for (int i = 0; i < columnCount(); ++i)
        if (const char* n = sqlite3_column_name(m_stmt, i); n && name == n)
            return i;
    return -1;
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int Statement::intValue(int column) const {
    return sqlite3_column_int(m_stmt, column);
}

std::string Statement::textValue(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? std::string(text, std::size_t(sqlite3_column_bytes(m_stmt, column))) : std::string();
}

long long Statement::wholeNumberOrZero(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(m_stmt, column);
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(m_stmt, column);
        return value == std::trunc(value) && std::abs(value) < 1e15 ? static_cast<long long>(value) : 0;
    }
    default:
        return 0;
    }
}

} // namespace kazutama
