#include "common/FileRead.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazutama {

namespace {

Error unreadable(const std::filesystem::path& path, std::string_view kind, const char* what,
                 const std::string& cause) {
    return makeError(ErrorCode::Unreadable,
                     std::string(kind) + quotePath(path) + what + "（" + cause + "）。");
}

} // namespace

Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit,
                                  std::string_view kind) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return makeError(ErrorCode::FileMissing, std::string(kind) + quotePath(path) + "がありません。");
        return unreadable(path, kind, "を開けません", describeSystemError(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return unreadable(path, kind, "を読み込めません", describeSystemError(errno));
    if (!S_ISREG(info.st_mode))
        return unreadable(path, kind, "を読み込めません", describeNotRegularFile(info.st_mode));
    std::string bytes;
    char buffer[1 << 16];
    while (bytes.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return unreadable(path, kind, "を読み込めません", describeSystemError(errno));
        if (n == 0)
            break;
        bytes.append(buffer, std::size_t(n));
    }
    return bytes;
}

} // namespace kazutama
