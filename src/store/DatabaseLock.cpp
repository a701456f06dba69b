#include "store/DatabaseLock.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

// SQLite's own locks are on the bytes 0x40000000 to 0x400001FF; a lock beyond the end of the file is fine.
constexpr off_t kLockedByte = 0x3FFFFF00;
constexpr std::size_t kLongestNote = 512;

// 0, or the errno value of the refusal.
int lockByte(int descriptor) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kLockedByte;
    lock.l_len = 1;
    return ::fcntl(descriptor, F_OFD_SETLK, &lock) == 0 ? 0 : errno;
}

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string notePath(const fs::path& file) {
    return file.string() + ".lock";
}

bool mayBeRunning(long processId) {
    return ::kill(pid_t(processId), 0) == 0 || errno == EPERM;
}

// The note as "<process number>\n<host>\n". Anything else (what an earlier version kept there, a folder, a
// link, a file nobody may read) names no holder.
std::optional<DatabaseLock::Holder> readNote(const fs::path& file) {
    const int fd = ::open(notePath(file).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::string text(kLongestNote, '\0');
    const ssize_t length =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? ::read(fd, text.data(), text.size()) : -1;
    ::close(fd);
    if (length <= 0)
        return std::nullopt;
    text.resize(std::size_t(length));
    const auto firstEnd = text.find('\n');
    const auto secondEnd = firstEnd == std::string::npos ? firstEnd : text.find('\n', firstEnd + 1);
    if (firstEnd == 0 || firstEnd > 9 || secondEnd == std::string::npos || secondEnd == firstEnd + 1 ||
        secondEnd + 1 != text.size() || text.find_first_not_of("0123456789") != firstEnd)
        return std::nullopt;
    DatabaseLock::Holder holder{std::stol(text.substr(0, firstEnd)),
                                text.substr(firstEnd + 1, secondEnd - firstEnd - 1)};
    if (holder.processId <= 0)
        return std::nullopt;
    if (holder.host == hostName()) {
        holder.host.clear();
        // A note the holder could not replace may be an older program's.
        if (!mayBeRunning(holder.processId))
            return std::nullopt;
    }
    return holder;
}

} // namespace

DatabaseLock::DatabaseLock(State state, fs::path file, int descriptor, int cause)
    : m_state(state), m_file(std::move(file)), m_descriptor(descriptor), m_cause(cause) {}

DatabaseLock DatabaseLock::lockDescriptor(int descriptor) {
    int refused = lockByte(descriptor);
    if (refused == EINVAL || refused == EOPNOTSUPP)
        refused = ENOLCK; // a file system or a kernel without this kind of lock
    const State state = refused == 0                             ? State::Exclusive
                        : refused == EAGAIN || refused == EACCES ? State::HeldElsewhere
                                                                 : State::Unavailable;
    return DatabaseLock(state, {}, descriptor, refused);
}

DatabaseLock DatabaseLock::acquire(const fs::path& file) {
    std::error_code ec;
    fs::path real = fs::canonical(file, ec);
    if (ec)
        real = file;
    const int fd = ::open(real.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        DatabaseLock lock(State::Unavailable, std::move(real), -1, errno);
        lock.m_opened = false;
        return lock;
    }
    DatabaseLock lock = lockDescriptor(fd);
    lock.m_file = std::move(real);
    if (lock.m_state == State::Exclusive)
        lock.writeNote();
    else if (lock.m_state == State::HeldElsewhere)
        lock.m_holder = readNote(lock.m_file);
    return lock;
}

void DatabaseLock::writeNote() {
    const int fd = ::open(notePath(m_file).c_str(),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const std::string note = std::to_string(::getpid()) + "\n" + hostName() + "\n";
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) == 0) {
        m_noteWritten = ::write(fd, note.data(), note.size()) == ssize_t(note.size());
        if (!m_noteWritten)
            (void)::ftruncate(fd, 0); // better no holder named than a wrong one
    }
    ::close(fd);
}

void DatabaseLock::release() {
    if (m_descriptor < 0)
        return;
    // While the lock is still ours no other program has written its note, so the note removed is ours.
    if (m_noteWritten) {
        struct stat info {};
        if (::lstat(notePath(m_file).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(notePath(m_file).c_str());
    }
    ::close(m_descriptor);
    m_descriptor = -1;
}

DatabaseLock::DatabaseLock(DatabaseLock&& other) noexcept
    : m_state(other.m_state), m_file(std::move(other.m_file)), m_descriptor(other.m_descriptor),
      m_cause(other.m_cause), m_opened(other.m_opened), m_noteWritten(other.m_noteWritten),
      m_holder(std::move(other.m_holder)) {
    other.m_descriptor = -1;
}

DatabaseLock& DatabaseLock::operator=(DatabaseLock&& other) noexcept {
    if (this != &other) {
        release();
        m_state = other.m_state;
        m_file = std::move(other.m_file);
        m_descriptor = other.m_descriptor;
        m_cause = other.m_cause;
        m_opened = other.m_opened;
        m_noteWritten = other.m_noteWritten;
        m_holder = std::move(other.m_holder);
        other.m_descriptor = -1;
    }
    return *this;
}

DatabaseLock::~DatabaseLock() {
    release();
}

std::string DatabaseLock::message() const {
    const std::string file = quotePath(m_file);
    if (m_state == State::Unavailable)
        return "当選データのファイル" + file +
               (m_opened ? "をロックできません（" : "を書き込み用に開けません（") +
               describeSystemError(m_cause) + "）。";
    if (m_state != State::HeldElsewhere)
        return {};
    std::string holder;
    if (m_holder)
        holder =
            "（" +
            (m_holder->host.empty() ? std::string() : "コンピュータ" + quoteInput(m_holder->host) + "の") +
            "プロセス番号 " + std::to_string(m_holder->processId) + "）";
    return "この当選データのファイルは、ほかのKazutamaで使用中です" + holder + "。\n" + file +
           "\n\n同じファイルを2つのKazutamaで同時に開くことはできません。使用中のKazutamaを終了してから、"
           "もう一度起動してください。";
}

} // namespace kazutama
