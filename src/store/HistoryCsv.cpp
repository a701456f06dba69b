#include "store/HistoryCsv.h"

#include "common/TextEncoding.h"

#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace kazutama {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A whole decimal number (leading zeros allowed), or nothing.
std::optional<int> parseWholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

Error lineError(int lineNumber, const std::string& reason) {
    return makeError(ErrorCode::InvalidData, std::to_string(lineNumber) + "行目: " + reason);
}

} // namespace

std::vector<std::string> splitCsvLine(std::string_view line) {
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

Result<std::vector<DrawRecord>> parseHistoryCsv(std::string_view bytes) {
    auto text = decodeTextFile(bytes);
    if (!text)
        return text.error();

    std::vector<DrawRecord> draws;
    std::map<int, int> lineOfDraw;
    std::istringstream in(text.value());
    std::string line;
    int lineNumber = 0;
    bool headerSeen = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::vector<std::string> fields = splitCsvLine(line);
        bool blank = true;
        for (const std::string& field : fields)
            blank = blank && trim(field).empty();
        if (blank)
            continue;  // empty lines and the ",,,,," lines spreadsheets leave behind

        if (!headerSeen) {
            std::string header;
            for (size_t i = 0; i < fields.size(); ++i)
                header += (i ? "," : "") + std::string(trim(fields[i]));
            if (header != kHistoryCsvHeader)
                return lineError(lineNumber, "見出し行が「" + std::string(kHistoryCsvHeader) + "」ではありません。");
            headerSeen = true;
            continue;
        }

        if (fields.size() != 1 + kBallCount)
            return lineError(lineNumber, "項目の数が" + std::to_string(1 + kBallCount) + "ではありません（" +
                                             std::to_string(fields.size()) + "個）。");
        DrawRecord draw;
        const std::string_view key = trim(fields[0]);
        const auto drawNumber = parseWholeNumber(key);
        if (!drawNumber || !isValidDrawNumber(*drawNumber))
            return lineError(lineNumber, "回数「" + std::string(key) + "」は" + std::to_string(kLowestDrawNumber) +
                                             "から" + std::to_string(kHighestDrawNumber) + "までの整数ではありません。");
        draw.drawNumber = *drawNumber;
        for (int i = 0; i < kBallCount; ++i) {
            const std::string_view field = trim(fields[i + 1]);
            if (field.empty())
                continue;  // not entered yet
            const auto number = parseWholeNumber(field);
            if (!number || !isValidNumber(*number))
                return lineError(lineNumber, std::string(kNumberColumns[i]) + "「" + std::string(field) +
                                                 "」は1から37までの整数ではありません。");
            draw.numbers[i] = *number;
        }
        if (auto [it, inserted] = lineOfDraw.emplace(draw.drawNumber, lineNumber); !inserted)
            return lineError(lineNumber, "回数 " + std::to_string(draw.drawNumber) + " は" +
                                             std::to_string(it->second) + "行目と重複しています。");
        draws.push_back(draw);
    }
    if (!headerSeen)
        return makeError(ErrorCode::InvalidData, "CSVファイルに見出し行がありません。");
    return draws;
}

Result<std::vector<DrawRecord>> readHistoryCsvFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return makeError(ErrorCode::FileMissing, "CSVファイル「" + path.string() + "」を開けません。");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return makeError(ErrorCode::Unreadable, "CSVファイル「" + path.string() + "」を読み込めません。");
    auto draws = parseHistoryCsv(bytes.str());
    if (!draws)
        return makeError(draws.error().code, "「" + path.filename().string() + "」" + draws.error().message);
    return draws;
}

std::string formatHistoryCsv(const DrawHistory& history) {
    std::string out(kHistoryCsvHeader);
    out += '\n';
    for (const DrawRecord& draw : history) {
        out += std::to_string(draw.drawNumber);
        for (int n : draw.numbers) {
            out += ',';
            if (n != kNoNumber)
                out += std::to_string(n);
        }
        out += '\n';
    }
    return out;
}

} // namespace kazutama
