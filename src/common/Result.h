#pragma once

#include <string>
#include <utility>
#include <variant>

namespace kazutama {

// What went wrong, coarse enough for callers to branch on; the message is for the user.
enum class ErrorCode {
    FileMissing,    // the file named does not exist
    FileExists,     // the file named must not exist yet
    NotOurDatabase, // readable, but not a history database of this program
    NewerDatabase,  // a history database of a newer version of this program; left as it is
    Unreadable,     // damaged, wrong password, no permission
    WriteFailed,    // a write or commit was refused (disk full, read-only, locked)
    ReadOnly,       // the user made the file read-only; it was left as it is
    InvalidData,    // input that breaks the rules (bad CSV line, number out of range)
    NotFound,       // a draw or item that is not there
    InUse,          // another program works on the file
    JournalLeft,    // an interrupted write's journal that is not rolled back (see RollbackJournal.h)
    WouldLoseData,  // a write that would replace stored numbers by empty ones without the user's word
    Cancelled,      // the user stopped a long step; nothing was changed
};

struct Error {
    ErrorCode code;
    std::string message; // Japanese, ready to show
};

// Either a value or an Error. The store, the settings file and the importers all report through it.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(m_state); }
    const T& value() const& { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

struct Ok {};

// Result of an operation that yields nothing but success.
using Status = Result<Ok>;

inline Error makeError(ErrorCode code, std::string message) {
    return Error{code, std::move(message)};
}

} // namespace kazutama
