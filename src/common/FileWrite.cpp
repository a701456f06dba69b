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

Error failure(const fs::path& path, std::string_view kind, const std::string& cause) {
    return makeError(ErrorCode::WriteFailed,
                     std::string(kind) + quotePath(path) + "を書き込めませんでした（" + cause + "）。");
}

Error failure(const fs::path& path, std::string_view kind, int error) {
    return failure(path, kind, describeSystemError(error));
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

// Writes over the file itself, as cp does. Opening never waits: a FIFO nobody reads is refused at once.
Status writeInPlace(const fs::path& path, const fs::path& requested, std::string_view bytes,
                    std::string_view kind, mode_t type) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno == ENXIO && S_ISFIFO(type))
            return failure(requested, kind, "名前付きパイプを読み出しているプログラムがありません");
        return failure(requested, kind, errno);
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return failure(requested, kind, errno);
    if (const int error = writeAll(fd.get(), bytes))
        return failure(requested, kind, error);
    // Cut to length only now: bytes written over bytes the file already has take no new space, so a nearly
    // full disk is less likely to stop the write halfway.
    if (S_ISREG(type) && (::ftruncate(fd.get(), off_t(bytes.size())) != 0 || ::fsync(fd.get()) != 0))
        return failure(requested, kind, errno);
    if (!fd.release())
        return failure(requested, kind, errno);
    return Ok{};
}

// A new file beside the old one (if any) renamed over it, so that a failure leaves the old file whole. Where
// the folder takes no new file, or the new file could not have the old one's owner and group, the old file
// is written in place instead, as cp does.
Status replace(const fs::path& path, const fs::path& requested, std::string_view bytes, std::string_view kind,
               const struct stat* old) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temporary = (folder / ".kazutama-XXXXXX").string();
    Fd fd(::mkstemp(temporary.data()));
    if (!fd.valid()) {
        const int error = errno;
        // Never on a full disk, where writing in place could leave half a file.
        if (old && (error == EACCES || error == EPERM || error == EROFS))
            return writeInPlace(path, requested, bytes, kind, S_IFREG);
        return failure(requested, kind, error);
    }
    const auto discard = [&] {
        fd.release();
        ::unlink(temporary.c_str());
    };
    if (old && ::fchown(fd.get(), old->st_uid, old->st_gid) != 0) {
        discard();
        return writeInPlace(path, requested, bytes, kind, S_IFREG);
    }
    const mode_t mode = old ? (old->st_mode & 07777) : (0666 & ~currentUmask());
    int error = writeAll(fd.get(), bytes);
    if (!error && (::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0))
        error = errno;
    if (!error && !fd.release())
        error = errno;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        discard();
        return failure(requested, kind, error);
    }
    // The rename itself reaches the disk with the folder's entry.
    if (Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid())
        (void)::fsync(dir.get());
    return Ok{};
}

} // namespace

Status writeWholeFile(const fs::path& requested, std::string_view bytes, std::string_view kind,
                      FileTarget target) {
    const fs::path path = followLinks(requested);
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return failure(requested, kind, errno);
        return replace(path, requested, bytes, kind, nullptr);
    }
    if (!S_ISREG(old.st_mode)) {
        if (target == FileTarget::AnyFile && (S_ISFIFO(old.st_mode) || S_ISCHR(old.st_mode)))
            return writeInPlace(path, requested, bytes, kind, old.st_mode & S_IFMT);
        return failure(requested, kind, describeNotRegularFile(old.st_mode));
    }
    // A file the user may not write is not replaced either; root may write any, unless the disk is read-only.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return failure(requested, kind, errno);
    return replace(path, requested, bytes, kind, &old);
}

} // namespace kazutama
