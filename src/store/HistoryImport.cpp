#include "store/HistoryImport.h"

#include "common/TextEncoding.h"
#include "store/HistoryCsv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace kazutama {

namespace {

// Full-width ASCII (Ｕ+FF01..FF5E) and the ideographic space become their half-width forms.
std::string toHalfWidth(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c0 = static_cast<unsigned char>(text[i]);
        if (c0 == 0xEF && i + 2 < text.size()) {
            const auto c1 = static_cast<unsigned char>(text[i + 1]), c2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned code = ((c0 & 0x0F) << 12) | ((c1 & 0x3F) << 6) | (c2 & 0x3F);
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

// A heading reduced to what tells the columns apart: half-width, lower-case, without blanks.
std::string headingKey(std::string_view heading) {
    std::string key;
    for (char c : toHalfWidth(heading))
        if (c != ' ' && c != '\t' && c != '"')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

std::optional<int> wholeNumber(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    return value;
}

bool oneOf(const std::string& key, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), key) != names.end();
}

struct Columns {
    int draw = -1;
    int date = -1;
    std::array<int, kMainCount> mains{-1, -1, -1, -1, -1, -1, -1};
    int mainsTogether = -1;
    std::array<int, 2> bonuses{-1, -1};
    int bonusesTogether = -1;

    bool mainsFound() const { return mainsTogether >= 0 || std::find(mains.begin(), mains.end(), -1) == mains.end(); }
    bool bonusesFound() const { return bonusesTogether >= 0 || (bonuses[0] >= 0 && bonuses[1] >= 0); }
};

Columns recogniseColumns(const std::vector<std::string>& headings) {
    Columns columns;
    for (int i = 0; i < int(headings.size()); ++i) {
        const std::string key = headingKey(headings[i]);
        if (columns.draw < 0 && oneOf(key, {"回数", "開催回", "回別", "抽選回", "抽せん回", "round", "draw", "回"}))
            columns.draw = i;
        else if (columns.date < 0 && oneOf(key, {"抽選日", "抽せん日", "日付", "date", "開催日"}))
            columns.date = i;
        else if (oneOf(key, {"本数字", "numbers", "main", "mainnumbers"}))
            columns.mainsTogether = i;
        else if (oneOf(key, {"ボーナス数字", "bonus", "ボーナス", "bonusnumbers"}))
            columns.bonusesTogether = i;
        for (int k = 1; k <= kMainCount; ++k) {
            const std::string n = std::to_string(k);
            if (oneOf(key, {"第" + n + "数字", "本数字" + n, "num" + n, "数字" + n, "n" + n, "number" + n}))
                columns.mains[k - 1] = i;
        }
        for (int k = 1; k <= 2; ++k) {
            const std::string n = std::to_string(k);
            if (oneOf(key, {"ボーナス数字" + n, "bonus数字" + n, "ボーナス" + n, "bonus" + n, "数字b" + n, "b" + n}))
                columns.bonuses[k - 1] = i;
        }
    }
    return columns;
}

std::string describe(const Columns& c, const std::vector<std::string>& headings) {
    auto name = [&](int i) { return "「" + std::string(trim(headings[i])) + "」"; };
    std::string text = c.draw >= 0 ? "回数: " + name(c.draw) : std::string("回数: なし（行の順に 1 から番号を付けます）");
    text += "、本数字: " + (c.mainsTogether >= 0 ? name(c.mainsTogether) : name(c.mains[0]) + "〜" + name(c.mains[6]));
    text += "、ボーナス数字: " +
            (c.bonusesTogether >= 0 ? name(c.bonusesTogether) : name(c.bonuses[0]) + "・" + name(c.bonuses[1]));
    return text;
}

Error lineError(int line, const std::string& reason) {
    return makeError(ErrorCode::InvalidData, std::to_string(line) + "行目: " + reason);
}

// "12", "012", "１２"; in bonus columns some tools mark the numbers with a leading "-".
std::optional<int> ballNumber(std::string_view field, bool bonus) {
    std::string text(trim(toHalfWidth(field)));
    if (bonus && text.size() > 1 && text.front() == '-')
        text.erase(0, 1);
    auto value = wholeNumber(text);
    if (value && isValidNumber(*value))
        return value;
    return std::nullopt;
}

// "12", "第12回", "0012".
std::optional<int> drawNumber(std::string_view field) {
    std::string text(trim(toHalfWidth(field)));
    if (text.starts_with("第"))
        text.erase(0, std::string_view("第").size());
    if (text.ends_with("回"))
        text.erase(text.size() - std::string_view("回").size());
    auto value = wholeNumber(text);
    if (value && isValidDrawNumber(*value))
        return value;
    return std::nullopt;
}

// Dates as "2013-04-05" or "2013/4/5", comparable as numbers; 0 when not a date.
long dateKey(std::string_view field) {
    const std::string text(trim(toHalfWidth(field)));
    int y = 0, m = 0, d = 0;
    char s1 = 0, s2 = 0;
    std::istringstream in(text);
    if (!(in >> y >> s1 >> m >> s2 >> d) || (s1 != '-' && s1 != '/') || s2 != s1)
        return 0;
    return long(y) * 10000 + m * 100 + d;
}

struct Row {
    int line;
    long date;
    DrawRecord draw;
};

Result<ImportedHistory> parseForeignLayout(const std::vector<std::pair<int, std::string>>& lines) {
    const std::vector<std::string> headings = splitCsvLine(lines.front().second);
    const Columns columns = recogniseColumns(headings);
    if (!columns.mainsFound() || !columns.bonusesFound())
        return lineError(lines.front().first,
                         "見出し行を認識できません。本数字（「第1数字」〜「第7数字」、または7個の数字をまとめた「本数字」）と"
                         "ボーナス数字（「ボーナス数字1」「ボーナス数字2」、または「ボーナス数字」）の列が必要です。");

    std::vector<Row> rows;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto& [line, text] = lines[i];
        const std::vector<std::string> fields = splitCsvLine(text);
        auto field = [&](int column) -> std::string_view {
            return column < int(fields.size()) ? std::string_view(fields[column]) : std::string_view();
        };
        Row row{line, columns.date >= 0 ? dateKey(field(columns.date)) : 0, {}};
        if (columns.draw >= 0) {
            auto number = drawNumber(field(columns.draw));
            if (!number)
                return lineError(line, "回数「" + std::string(trim(field(columns.draw))) + "」は1から" +
                                           std::to_string(kHighestDrawNumber) + "までの回数ではありません。");
            row.draw.drawNumber = *number;
        }
        auto readBalls = [&](int together, const int* single, int count, int firstBall, bool bonus) -> Status {
            std::vector<std::string> parts;
            if (together >= 0) {
                std::istringstream in(toHalfWidth(field(together)));
                for (std::string part; in >> part;)
                    parts.push_back(part);
                if (int(parts.size()) != count)
                    return lineError(line, "「" + std::string(trim(headings[together])) + "」に数字が" +
                                               std::to_string(count) + "個ありません。");
            } else {
                for (int k = 0; k < count; ++k)
                    parts.emplace_back(field(single[k]));
            }
            for (int k = 0; k < count; ++k) {
                if (trim(parts[k]).empty())
                    continue;  // not entered
                auto n = ballNumber(parts[k], bonus);
                if (!n)
                    return lineError(line, std::string(kNumberColumns[firstBall + k]) + "「" +
                                               std::string(trim(parts[k])) + "」は1から37までの整数ではありません。");
                row.draw.numbers[firstBall + k] = *n;
            }
            return Ok{};
        };
        if (auto s = readBalls(columns.mainsTogether, columns.mains.data(), kMainCount, 0, false); !s)
            return s.error();
        if (auto s = readBalls(columns.bonusesTogether, columns.bonuses.data(), 2, kMainCount, true); !s)
            return s.error();
        rows.push_back(row);
    }

    ImportedHistory imported;
    imported.layout = describe(columns, headings);
    if (columns.draw < 0) {
        // Without draw numbers, the draws are counted from the oldest: by date where the file has dates.
        imported.numberedByRowOrder = true;
        if (columns.date >= 0)
            std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
        if (int(rows.size()) > kHighestDrawNumber)
            return makeError(ErrorCode::InvalidData, "行が多すぎます（" + std::to_string(kHighestDrawNumber) +
                                                         "回まで）。");
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].draw.drawNumber = int(i) + 1;
    }

    std::map<int, const Row*> byNumber;
    for (const Row& row : rows) {
        auto [it, inserted] = byNumber.emplace(row.draw.drawNumber, &row);
        if (!inserted && it->second->draw != row.draw)
            return lineError(row.line, "回数 " + std::to_string(row.draw.drawNumber) + " が" +
                                           std::to_string(it->second->line) + "行目と異なる数字で重複しています。");
    }
    for (const auto& [number, row] : byNumber)
        imported.draws.push_back(row->draw);
    return imported;
}

} // namespace

Result<ImportedHistory> parseHistoryImport(std::string_view bytes) {
    auto text = decodeTextFile(bytes);
    if (!text)
        return text.error();

    std::vector<std::pair<int, std::string>> lines;  // non-blank lines with their line numbers
    std::istringstream in(text.value());
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        bool blank = true;
        for (const std::string& field : splitCsvLine(line))
            blank = blank && trim(field).empty();
        if (!blank && !trim(line).starts_with("#"))
            lines.emplace_back(number, line);
    }
    if (lines.empty())
        return makeError(ErrorCode::InvalidData, "CSVファイルに見出し行がありません。");

    std::string header;
    for (const std::string& field : splitCsvLine(lines.front().second))
        header += (header.empty() ? "" : ",") + std::string(trim(field));
    Result<ImportedHistory> result = makeError(ErrorCode::InvalidData, "");
    if (header == kHistoryCsvHeader) {
        // Kazutama's own layout, with its strict checks (every line has exactly ten fields).
        auto draws = parseHistoryCsv(text.value());
        if (!draws)
            return draws.error();
        ImportedHistory own;
        own.draws = std::move(draws).value();
        std::sort(own.draws.begin(), own.draws.end(),
                  [](const DrawRecord& a, const DrawRecord& b) { return a.drawNumber < b.drawNumber; });
        own.layout = "Kazutama の CSV 形式";
        result = std::move(own);
    } else {
        result = parseForeignLayout(lines);
        if (!result)
            return result;
    }
    for (const DrawRecord& draw : result->draws) {
        std::array<int, kHighestNumber + 1> seen{};
        for (int n : draw.numbers)
            if (n != kNoNumber && ++seen[n] == 2) {
                result->drawsWithRepeatedNumbers.push_back(draw.drawNumber);
                break;
            }
    }
    return result;
}

Result<ImportedHistory> readHistoryImportFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return makeError(ErrorCode::FileMissing, "CSVファイル「" + path.string() + "」を開けません。");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    auto imported = parseHistoryImport(bytes.str());
    if (!imported)
        return makeError(imported.error().code, "「" + path.filename().string() + "」" + imported.error().message);
    return imported;
}

} // namespace kazutama
