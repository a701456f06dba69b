#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kazutama {

// Keeps two programs from working on one database file. The lock is the kernel's own, on the file itself
// (an open-file-description lock on one byte that SQLite never locks): it needs no file of its own, so a
// full disk or a read-only folder cannot stop it; it ends with the process that holds it, so a killed
// program leaves none behind; and every name of the file (a symbolic link, the real path) meets it.
class DatabaseLock {
public:
    enum class State {
        Exclusive,     // ours: the file may be written
        HeldElsewhere, // another program holds it
        Unavailable,   // no lock can be had here: the file may only be read
    };
    // Who holds the lock, as the holder noted it beside the file; for the message only, never for deciding.
    struct Holder {
        long processId = 0;
        std::string host; // empty: this computer
    };

    // Locks an existing database file, found through any symbolic links. When the lock is ours, the note
    // "<real path>.lock" tells another program who holds it.
    static DatabaseLock acquire(const std::filesystem::path& file);
    // Locks the file open as `descriptor` (for writing), which the lock then owns; no note is written.
    static DatabaseLock lockDescriptor(int descriptor);

    DatabaseLock(DatabaseLock&& other) noexcept;
    DatabaseLock& operator=(DatabaseLock&& other) noexcept;
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;
    // Releases the lock. Closing a descriptor of a file drops every POSIX lock this process has on it, the
    // SQLite connections' ones too, so the descriptor stays open as long as the lock is held.
    ~DatabaseLock();

    State state() const { return m_state; }
    // The real path of the file acquire() locked.
    const std::filesystem::path& file() const { return m_file; }
    // HeldElsewhere: the holder, when its note could be read and names a program that may be running.
    const std::optional<Holder>& holder() const { return m_holder; }
    // HeldElsewhere and Unavailable: what to tell the user.
    std::string message() const;

private:
    DatabaseLock(State state, std::filesystem::path file, int descriptor, int cause);
    void writeNote();
    void release();

    State m_state;
    std::filesystem::path m_file;
    int m_descriptor = -1;
    int m_cause = 0;      // Unavailable: the errno value of the refusal
    bool m_opened = true; // Unavailable: false when the file could not even be opened for writing
    bool m_noteWritten = false;
    std::optional<Holder> m_holder;
};

} // namespace kazutama
