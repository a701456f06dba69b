#include "store/ImportText.h"

#include "common/FileRead.h"
#include "common/QuotedInput.h"
#include "common/TextEncoding.h"
#include "store/DrawRecord.h"

#include <cctype>
#include <charconv>
#include <cstring>
#include <sstream>

namespace kazutama::importtext {

namespace {

void removePrefix(std::string& text, std::string_view prefix) {
    if (text.starts_with(prefix))
        text.erase(0, prefix.size());
}

void removeSuffix(std::string& text, std::string_view suffix) {
    if (text.ends_with(suffix))
        text.erase(text.size() - suffix.size());
}

} // namespace

Result<std::string> readFile(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path, kMaxFileBytes + 1, "CSVファイル");
    if (bytes && bytes->size() > kMaxFileBytes)
        return makeError(ErrorCode::InvalidData,
                         "CSVファイル" + quotePath(path) + "は大きすぎます（" +
                             std::to_string(kMaxFileBytes / (1024 * 1024)) +
                             "MBまでです）。当選データのファイルか確かめてください。");
    return bytes;
}

Result<std::vector<Line>> csvLines(std::string_view bytes) {
    auto text = decodeTextFile(bytes);
    if (!text)
        return text.error();
    std::vector<Line> lines;
    std::istringstream in(text.value());
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMaxLineBytes)
            return lineError(number,
                             "行が長すぎます（" + std::to_string(kMaxLineBytes) + "バイトまでです）。");
        bool blank = true;
        for (const std::string& field : splitFields(line))
            blank = blank && trim(field).empty();
        if (!blank && !trim(line).starts_with("#"))
            lines.push_back({number, std::move(line)});
    }
    if (lines.empty())
        return makeError(ErrorCode::InvalidData, "CSVファイルに見出し行がありません。");
    return lines;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

Error lineError(int line, const std::string& reason) {
    return makeError(ErrorCode::InvalidData, std::to_string(line) + "行目: " + reason);
}

std::optional<int> wholeNumber(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

std::string toHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c0 = static_cast<unsigned char>(text[i]);
        if (c0 == 0xEF && i + 2 < text.size()) {
            const auto c1 = static_cast<unsigned char>(text[i + 1]),
                       c2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned code = ((c0 & 0x0Fu) << 12) | ((c1 & 0x3Fu) << 6) | (c2 & 0x3Fu);
            if (code >= 0xFF01 && code <= 0xFF5E) {
                out += static_cast<char>(code - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        if (c0 == 0xE3 && i + 2 < text.size() && text[i + 1] == '\x80' && text[i + 2] == '\x80') {
            out += ' ';
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string headingKey(std::string_view heading) {
    std::string key;
    for (char c : toHalfWidth(heading))
        if (c != ' ' && c != '\t' && c != '"')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

std::optional<int> drawNumber(std::string_view field) {
    std::string text(trim(toHalfWidth(field)));
    removePrefix(text, "第");
    removeSuffix(text, "回");
    const auto value = wholeNumber(text);
    if (value && isValidDrawNumber(*value))
        return value;
    return std::nullopt;
}

std::optional<int> ballNumber(std::string_view field) {
    const auto value = wholeNumber(toHalfWidth(field));
    if (value && isValidNumber(*value))
        return value;
    return std::nullopt;
}

std::optional<long> dateKey(std::string_view field) {
    const std::string text(trim(toHalfWidth(field)));
    std::vector<std::string> groups; // runs of digits; whatever separates them ("-", "/", 年月日, a time)
    bool inDigits = false;
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (digit && !inDigits)
            groups.emplace_back();
        if (digit)
            groups.back() += c;
        inDigits = digit;
    }
    if (text.empty() || !(text.front() >= '0' && text.front() <= '9'))
        return std::nullopt;
    if (groups.size() == 1 && groups[0].size() == 8)
        groups = {groups[0].substr(0, 4), groups[0].substr(4, 2), groups[0].substr(6, 2)};
    if (groups.size() < 3 || groups[0].size() != 4 || groups[1].size() > 2 || groups[2].size() > 2)
        return std::nullopt;
    const int year = std::stoi(groups[0]), month = std::stoi(groups[1]), day = std::stoi(groups[2]);
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return long(year) * 10000 + month * 100 + day;
}

} // namespace kazutama::importtext
