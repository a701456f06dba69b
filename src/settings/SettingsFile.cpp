#include "settings/SettingsFile.h"

#include "common/FileRead.h"
#include "common/FileWrite.h"
#include "common/QuotedInput.h"
#include "common/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kazutama {

namespace {

// The lines the program writes are under 50 bytes. Of a longer line only this much is kept, so no line of
// a damaged file can take the memory.
constexpr size_t kLineLimit = 256;
// Nor can the file itself: reading stops after this much (a settings file is well under a kilobyte).
constexpr size_t kFileLimit = 16 << 20;

// The encodings a settings file may be in: the one WriteInitFile writes (the locale's) first, then UTF-8 and
// those Japanese systems keep text in, so the file still reads after the locale changed or when it comes
// from Windows (Shift_JIS) or an older Unix system (EUC-JP).
std::vector<std::string> fileEncodings() {
    return {localeEncoding(), "UTF-8", "CP932", "EUC-JP"};
}

// The keys are compared with each line byte for byte, in every encoding the file may be in, rather than
// decoding the file: a line that no encoding can read then costs that line alone. Splitting a line at "="
// works on the bytes too, since "=" is never part of a multibyte character in these encodings.
class KeyTable {
public:
    KeyTable() {
        for (const std::string& encoding : fileEncodings())
            for (size_t i = 0; i < kAnalysisOptionCount; ++i)
                if (auto bytes = encodeAs(kAnalysisOptionKeys[i], encoding))
                    m_spellings.emplace_back(std::move(*bytes), i);
    }

    std::optional<size_t> find(std::string_view key) const {
        for (const auto& [bytes, index] : m_spellings)
            if (bytes == key)
                return index;
        return std::nullopt;
    }

private:
    std::vector<std::pair<std::string, size_t>> m_spellings;
};

// One line of `rest` without its end, of which at most kLineLimit bytes are kept; `cut` says whether there
// was more. False at the end of the text.
bool readLine(std::string_view& rest, std::string_view& line, bool& cut) {
    if (rest.empty())
        return false;
    const auto end = std::min(rest.find('\n'), rest.size());
    cut = end > kLineLimit;
    line = rest.substr(0, std::min(end, kLineLimit));
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return true;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// "True"/"False" in any letter case, or a decimal number (blanks around it, a sign, a point, an exponent),
// which is true unless it is zero. Read by hand: a regular expression runs out of stack on a long value.
std::optional<bool> toBoolean(std::string_view value) {
    if (equalsIgnoringCase(value, "true"))
        return true;
    if (equalsIgnoringCase(value, "false"))
        return false;
    const auto first = value.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    value = value.substr(first, value.find_last_not_of(' ') - first + 1);
    if (value.front() == '+' || value.front() == '-')
        value.remove_prefix(1);
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    bool digits = false, nonZero = false, point = false;
    for (; i < value.size(); ++i) {
        if (isDigit(value[i])) {
            digits = true;
            nonZero = nonZero || value[i] != '0';
        } else if (value[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < value.size() && (value[i] == 'e' || value[i] == 'E')) {
        if (++i < value.size() && (value[i] == '+' || value[i] == '-'))
            ++i;
        const size_t exponent = i;
        while (i < value.size() && isDigit(value[i]))
            ++i;
        if (i == exponent)
            return std::nullopt;
    }
    if (i != value.size())
        return std::nullopt;
    // Whatever the exponent, the number is zero exactly when every digit before it is.
    return nonZero;
}

// A settings file without any write permission was made read-only on purpose (chmod a-w), so not even root
// rewrites it; nor does a user who may not write it.
bool madeReadOnly(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return (info.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

} // namespace

AnalysisOptions ReadInitFile(const std::filesystem::path& path) {
    AnalysisOptions options;
    const auto bytes = readWholeFile(path, kFileLimit, "設定ファイル");
    if (!bytes)
        return options;
    const KeyTable keys;
    std::string_view rest = bytes.value(), line;
    bool cut = false;
    for (bool first = true; readLine(rest, line, cut); first = false) {
        std::string_view text = line;
        if (first && text.starts_with(kUtf8Bom))
            text.remove_prefix(kUtf8Bom.size());
        if (!cut && text.ends_with('\r'))
            text.remove_suffix(1);
        // The first piece before "=" is the key, the second the value; anything after a further "=" is
        // ignored.
        const auto eq = text.find('=');
        if (eq == std::string_view::npos)
            continue;
        const auto valueEnd = text.find('=', eq + 1);
        if (valueEnd == std::string_view::npos && cut)
            continue; // the value goes on beyond what was kept
        const auto index = keys.find(text.substr(0, eq));
        if (!index)
            continue;
        if (const auto flag = toBoolean(text.substr(eq + 1, valueEnd - eq - 1)))
            options[*index] = *flag;
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
    if (madeReadOnly(path))
        return makeError(ErrorCode::ReadOnly,
                         "設定ファイル" + quotePath(path) +
                             "は読み取り専用のため、変更したオプションを保存しませんでした。");
    return writeWholeFile(path, encodeForLocale(formatInitFile(options)), "設定ファイル",
                          FileTarget::RegularOnly);
}

} // namespace kazutama
