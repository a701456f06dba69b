#include "store/HistoryImport.h"

#include "common/QuotedInput.h"
#include "store/HistoryCsv.h"
#include "store/ImportColumns.h"
#include "store/ImportText.h"

#include <algorithm>
#include <array>
#include <functional>
#include <sstream>

namespace kazutama {

namespace {

using importtext::Line;
using importtext::lineError;
using importtext::trim;

struct Row {
    int line = 0;
    long date = 0;
    DrawRecord draw;
    bool noNumbers = false; // a row kept for a draw still to come
};

std::string inBrackets(std::string_view text) {
    return quoteInput(trim(text));
}

// Reads the data lines of a file in another tool's layout.
class ForeignRowReader {
public:
    ForeignRowReader(const std::vector<std::string>& headings, const ImportColumns& columns)
        : m_headings(headings), m_columns(columns) {}

    Result<Row> read(const Line& line) {
        m_fields = importtext::splitFields(line.text);
        m_row = Row{line.number, 0, {}};
        if (int(m_fields.size()) <= m_columns.lastNeeded())
            return lineError(line.number, "項目が足りません（" + std::to_string(m_fields.size()) +
                                              "個。この見出しでは" +
                                              std::to_string(m_columns.lastNeeded() + 1) + "個必要です）。");
        if (m_columns.draw >= 0) {
            const auto number = importtext::drawNumber(field(m_columns.draw));
            if (!number)
                return lineError(line.number, "回数" + inBrackets(field(m_columns.draw)) + "は1から" +
                                                  std::to_string(kHighestDrawNumber) +
                                                  "までの回数ではありません。");
            m_row.draw.drawNumber = *number;
        }
        if (m_columns.numberedByDate()) {
            const auto date = importtext::dateKey(field(m_columns.date));
            if (!date)
                return lineError(
                    line.number,
                    inBrackets(m_headings[m_columns.date]) + "の" + inBrackets(field(m_columns.date)) +
                        "を日付として読めません（回数の列がないため、日付の順に回数を付けます）。");
            m_row.date = *date;
        } else if (m_columns.date >= 0) {
            // Kept where it reads as a day of the calendar; the draws are what the file is read for, so a
            // date that does not read is left out rather than refusing the file.
            if (const auto date = importtext::dateKey(field(m_columns.date));
                date && DrawDates::fromKey(*date))
                m_row.date = *date;
        }
        if (auto status = readBalls(m_columns.mainsTogether, m_columns.mains.data(), kMainCount, 0); !status)
            return status.error();
        if (auto status = readBalls(m_columns.bonusesTogether, m_columns.bonuses.data(), 2, kMainCount);
            !status)
            return status.error();
        // Other tools have no "not entered yet": a row names all nine numbers or none. Taking a partial row
        // would replace the stored numbers of that draw with empty ones.
        const auto& numbers = m_row.draw.numbers;
        const auto missing = std::find(numbers.begin(), numbers.end(), kNoNumber);
        m_row.noNumbers = std::count(numbers.begin(), numbers.end(), kNoNumber) == kBallCount;
        if (missing != numbers.end() && !m_row.noNumbers)
            return lineError(line.number, std::string(kNumberColumns[missing - numbers.begin()]) +
                                              "がありません（9個の数字がすべて必要です）。");
        return m_row;
    }

    bool droppedMinusSigns() const { return m_droppedMinusSigns; }

private:
    std::string_view field(int column) const { return m_fields[column]; }

    Status readBalls(int together, const int* single, int count, int firstBall) {
        std::vector<std::string> parts;
        if (together >= 0) {
            std::istringstream in(importtext::toHalfWidth(field(together)));
            for (std::string part; in >> part;)
                parts.push_back(part);
            if (parts.empty())
                return Ok{};
            if (int(parts.size()) != count)
                return lineError(m_row.line, inBrackets(m_headings[together]) + "に数字が" +
                                                 std::to_string(count) + "個ありません（" +
                                                 std::to_string(parts.size()) + "個）。");
        } else {
            for (int k = 0; k < count; ++k)
                parts.emplace_back(field(single[k]));
        }
        for (int k = 0; k < count; ++k) {
            std::string_view text = trim(parts[k]);
            if (text.empty())
                continue;
            // One tool marks its bonus numbers with a leading minus sign.
            if (firstBall == kMainCount && text.size() > 1 && text.front() == '-') {
                text.remove_prefix(1);
                m_droppedMinusSigns = true;
            }
            const auto number = importtext::ballNumber(text);
            if (!number)
                return lineError(m_row.line, std::string(kNumberColumns[firstBall + k]) +
                                                 inBrackets(parts[k]) +
                                                 "は1から37までの整数ではありません。");
            m_row.draw.numbers[firstBall + k] = *number;
        }
        return Ok{};
    }

    const std::vector<std::string>& m_headings;
    const ImportColumns& m_columns;
    std::vector<std::string> m_fields;
    Row m_row;
    bool m_droppedMinusSigns = false;
};

// Sorts the rows by `key`; a repeated key with the same numbers is merged, with other numbers it rejects
// the file naming both lines.
Status mergeRepeats(std::vector<Row>& rows, const std::function<long(const Row&)>& key,
                    const std::function<std::string(const Row&)>& keyText, int& merged) {
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) { return key(a) < key(b); });
    std::vector<Row> kept;
    for (const Row& row : rows) {
        if (kept.empty() || key(kept.back()) != key(row)) {
            kept.push_back(row);
            continue;
        }
        if (kept.back().draw != row.draw)
            return lineError(row.line, keyText(row) + "が" + std::to_string(kept.back().line) +
                                           "行目と異なる数字で重複しています。");
        ++merged;
    }
    rows = std::move(kept);
    return Ok{};
}

Result<ImportedHistory> parseForeignLayout(const std::vector<Line>& lines) {
    const std::vector<std::string> headings = importtext::splitFields(lines.front().text);
    const ImportColumns columns = ImportColumns::recognise(headings);
    if (!columns.complete())
        return lineError(lines.front().number, columns.whatIsMissing());

    ForeignRowReader reader(headings, columns);
    std::vector<Row> rows;
    int withoutNumbers = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        auto row = reader.read(lines[i]);
        if (!row)
            return row.error();
        if (row->noNumbers)
            ++withoutNumbers;
        else
            rows.push_back(row.value());
    }

    ImportedHistory imported;
    imported.layout = columns.describe(headings);
    int merged = 0;
    if (columns.draw >= 0) {
        auto status = mergeRepeats(
            rows, [](const Row& row) { return long(row.draw.drawNumber); },
            [](const Row& row) { return "回数 " + std::to_string(row.draw.drawNumber) + " "; }, merged);
        if (!status)
            return status.error();
    } else {
        if (columns.numberedByDate()) {
            const std::string dateName = inBrackets(headings[columns.date]);
            auto status = mergeRepeats(
                rows, [](const Row& row) { return row.date; },
                [&](const Row& row) {
                    const long d = row.date;
                    return dateName + " " + std::to_string(d / 10000) + "-" + std::to_string(d / 100 % 100) +
                           "-" + std::to_string(d % 100) + " ";
                },
                merged);
            if (!status)
                return status.error();
            imported.notes.push_back("回数の列がないため、" + dateName +
                                     "の古い順に 1 から回数を付けました。");
        } else {
            imported.notes.push_back(
                "回数の列も日付の列もないため、ファイルの上の行ほど古い回とみなして 1 から回数を"
                "付けました。新しい回から並んだファイルでは回数が逆になります。");
        }
        if (int(rows.size()) > kHighestDrawNumber)
            return makeError(ErrorCode::InvalidData, "行が多すぎます（回数を付けられるのは" +
                                                         std::to_string(kHighestDrawNumber) +
                                                         "回までです）。");
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].draw.drawNumber = int(i) + 1;
        imported.numberedByRowOrder = true;
    }
    if (merged > 0)
        imported.notes.push_back("同じ回が同じ数字で重ねて書かれていた " + std::to_string(merged) +
                                 " 行は、1 回分として取り込みます。");
    if (withoutNumbers > 0)
        imported.notes.push_back("数字の書かれていない " + std::to_string(withoutNumbers) +
                                 " 行は読み飛ばしました。");
    if (reader.droppedMinusSigns())
        imported.notes.push_back("ボーナス数字の前の「-」は読み飛ばしました。");
    for (const Row& row : rows) {
        imported.draws.push_back(row.draw);
        if (const auto date = row.date ? DrawDates::fromKey(row.date) : std::nullopt)
            imported.dates.set(row.draw.drawNumber, *date);
    }
    return imported;
}

std::vector<int> drawsWithRepeatedNumbers(const std::vector<DrawRecord>& draws) {
    std::vector<int> repeated;
    for (const DrawRecord& draw : draws) {
        std::array<int, kHighestNumber + 1> seen{};
        for (int n : draw.numbers)
            if (n != kNoNumber && ++seen[n] == 2) {
                repeated.push_back(draw.drawNumber);
                break;
            }
    }
    return repeated;
}

} // namespace

Result<ImportedHistory> parseHistoryImport(std::string_view bytes) {
    const auto lines = importtext::csvLines(bytes);
    if (!lines)
        return lines.error();

    ImportedHistory imported;
    if (isHistoryCsvHeading(lines->front().text)) {
        // Kazutama's own layout keeps its strict checks (exactly ten fields, no repeated draw numbers).
        auto draws = parseHistoryCsv(lines.value(), &imported.dates);
        if (!draws)
            return draws.error();
        imported.draws = std::move(draws).value();
        imported.layout = "Kazutama の CSV 形式";
    } else {
        auto foreign = parseForeignLayout(lines.value());
        if (!foreign)
            return foreign.error();
        imported = std::move(foreign).value();
    }
    std::sort(imported.draws.begin(), imported.draws.end(),
              [](const DrawRecord& a, const DrawRecord& b) { return a.drawNumber < b.drawNumber; });
    imported.drawsWithRepeatedNumbers = drawsWithRepeatedNumbers(imported.draws);
    return imported;
}

Result<ImportedHistory> readHistoryImportFile(const std::filesystem::path& path) {
    return importtext::parseFile<ImportedHistory>(path, &parseHistoryImport);
}

} // namespace kazutama
