#pragma once

#include "common/Result.h"

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kazutama {

// A prepared statement; finalised on destruction. Every failure carries a Japanese message.
class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Parameters are numbered from 1; a number of 0 binds NULL (a number not entered).
    Status bindInt(int index, int value);
    Status bindIntOrNull(int index, int value);
    Status bindText(int index, std::string_view value);

    // True while a row is available; false when done.
    Result<bool> step();

    int columnCount() const;
    // Index of the result column with this name, or -1.
    int columnIndex(std::string_view name) const;
    bool isNull(int column) const;
    int intValue(int column) const;
    // The value as text; empty for NULL.
    std::string textValue(int column) const;
    // The value when it is a whole number (an integer, or a real without a fraction); 0 for anything else,
    // NULL, text and fractions among it.
    long long wholeNumberOrZero(int column) const;

private:
    Error failure() const;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace kazutama
