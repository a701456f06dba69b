#include "common/FileWrite.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {

namespace {

namespace fs = std::filesystem;

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { release(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now; false when the close reports a failed write.
    bool release() {
        if (m_fd < 0)
            return true;
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return closed;
    }

private:
    int m_fd;
};

Error failure(const fs::path& path, std::string_view kind, int error) {
    return makeError(ErrorCode::WriteFailed, std::string(kind) + quotePath(path) +
                                                 "を書き込めませんでした（" + describeSystemError(error) +
                                                 "）。");
}

// 0 or the errno of the failed write.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

// The file a chain of symbolic links ends at (which need not exist yet).
fs::path followLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

Status writeInPlace(const fs::path& path, std::string_view bytes, std::string_view kind) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return failure(path, kind, errno);
    if (const int error = writeAll(fd.get(), bytes))
        return failure(path, kind, error);
    if (!fd.release())
        return failure(path, kind, errno);
    return Ok{};
}

} // namespace

Status writeWholeFile(const fs::path& requested, std::string_view bytes, std::string_view kind) {
    const fs::path path = followLinks(requested);
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return failure(requested, kind, errno);
    if (exists && S_ISDIR(old.st_mode))
        return failure(requested, kind, EISDIR);
    if (exists && !S_ISREG(old.st_mode))
        return writeInPlace(path, bytes, kind);

    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temporary = (folder / ".kazutama-XXXXXX").string();
    Fd fd(::mkstemp(temporary.data()));
    if (!fd.valid())
        return failure(requested, kind, errno);
    const auto discard = [&](int error) {
        fd.release();
        ::unlink(temporary.c_str());
        return failure(requested, kind, error);
    };
    if (const int error = writeAll(fd.get(), bytes))
        return discard(error);
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~currentUmask());
    if (exists && ::geteuid() == 0)
        (void)::fchown(fd.get(), old.st_uid, old.st_gid);
    if (::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0)
        return discard(errno);
    if (!fd.release()) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failure(requested, kind, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failure(requested, kind, error);
    }
    // The rename itself reaches the disk with the folder's entry.
    if (Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid())
        (void)::fsync(dir.get());
    return Ok{};
}

} // namespace kazutama
