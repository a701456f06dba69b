#include "settings/SettingsFile.h"

#include "common/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace kazutama {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// "True"/"False" in any letter case, or a number, which is true unless it is zero.
std::optional<bool> toBoolean(std::string_view value) {
    const std::string text = lower(value);
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    static const std::regex number(R"( *[+-]?(\d+\.?\d*|\.\d+)(e[+-]?\d+)? *)");
    if (!std::regex_match(text, number))
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr) != 0.0;
}

Error writeError(const std::filesystem::path& path, const std::string& reason) {
    return makeError(ErrorCode::WriteFailed, "設定ファイル「" + path.string() + "」を書き込めませんでした（" +
                                                 reason + "）。");
}

} // namespace

AnalysisOptions ReadInitFile(const std::filesystem::path& path) {
    AnalysisOptions options;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return options;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    auto text = decodeTextFile(bytes.str());
    if (!text)
        return options;

    std::istringstream lines(text.value());
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // The first piece before "=" is the key, the second the value; anything after a further "=" is ignored.
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string_view key = std::string_view(line).substr(0, eq);
        std::string_view value = std::string_view(line).substr(eq + 1);
        value = value.substr(0, value.find('='));
        const auto index = std::find(kAnalysisOptionKeys.begin(), kAnalysisOptionKeys.end(), key);
        if (index == kAnalysisOptionKeys.end())
            continue;
        if (const auto flag = toBoolean(value))
            options[index - kAnalysisOptionKeys.begin()] = *flag;
    }
    return options;
}

std::string formatInitFile(const AnalysisOptions& options) {
    std::string text;
    for (size_t i = 0; i < kAnalysisOptionCount; ++i) {
        text += kAnalysisOptionKeys[i];
        text += options[i] ? "=True\r\n" : "=False\r\n";
    }
    return text;
}

Status WriteInitFile(const AnalysisOptions& options, const std::filesystem::path& path) {
    auto bytes = encodeForLocale(formatInitFile(options));
    if (!bytes)
        return writeError(path, bytes.error().message);

    const std::string temporary = path.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return writeError(path, std::strerror(errno));
    const std::string& data = bytes.value();
    size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const std::string reason = std::strerror(errno);
            ::close(fd);
            ::unlink(temporary.c_str());
            return writeError(path, reason);
        }
        written += static_cast<size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        const std::string reason = std::strerror(synced ? errno : syncError);
        ::unlink(temporary.c_str());
        return writeError(path, reason);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temporary.c_str());
        return writeError(path, reason);
    }
    return Ok{};
}

} // namespace kazutama
