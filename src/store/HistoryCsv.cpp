#include "store/HistoryCsv.h"

#include "common/QuotedInput.h"

#include <map>

namespace kazutama {

using importtext::lineError;
using importtext::trim;

namespace {

std::string trimmedHeading(std::string_view line) {
    const std::vector<std::string> fields = importtext::splitFields(line);
    std::string heading;
    for (size_t i = 0; i < fields.size(); ++i)
        heading += (i ? "," : "") + std::string(trim(fields[i]));
    return heading;
}

bool hasDateColumn(std::string_view line) {
    return trimmedHeading(line) == std::string(kHistoryCsvHeader) + "," + std::string(kDateHeading);
}

} // namespace

bool isHistoryCsvHeading(std::string_view line) {
    return trimmedHeading(line) == kHistoryCsvHeader || hasDateColumn(line);
}

Result<std::vector<DrawRecord>> parseHistoryCsv(const std::vector<importtext::Line>& lines,
                                                DrawDates* dates) {
    if (!isHistoryCsvHeading(lines.front().text))
        return lineError(lines.front().number,
                         "見出し行が「" + std::string(kHistoryCsvHeader) + "」ではありません。");
    const bool dated = hasDateColumn(lines.front().text);
    const std::size_t fieldCount = 1 + kBallCount + (dated ? 1 : 0);

    std::vector<DrawRecord> draws;
    std::map<int, int> lineOfDraw;
    for (size_t l = 1; l < lines.size(); ++l) {
        const int lineNumber = lines[l].number;
        const std::vector<std::string> fields = importtext::splitFields(lines[l].text);
        if (fields.size() != fieldCount)
            return lineError(lineNumber, "項目の数が" + std::to_string(fieldCount) + "ではありません（" +
                                             std::to_string(fields.size()) + "個）。");
        DrawRecord draw;
        const std::string_view key = trim(fields[0]);
        const auto drawNumber = importtext::wholeNumber(key);
        if (!drawNumber || !isValidDrawNumber(*drawNumber))
            return lineError(lineNumber, "回数" + quoteInput(key) + "は" + std::to_string(kLowestDrawNumber) +
                                             "から" + std::to_string(kHighestDrawNumber) +
                                             "までの整数ではありません。");
        draw.drawNumber = *drawNumber;
        for (int i = 0; i < kBallCount; ++i) {
            const std::string_view field = trim(fields[i + 1]);
            if (field.empty())
                continue; // not entered yet
            const auto number = importtext::wholeNumber(field);
            if (!number || !isValidNumber(*number))
                return lineError(lineNumber, std::string(kNumberColumns[i]) + quoteInput(field) +
                                                 "は1から37までの整数ではありません。");
            draw.numbers[i] = *number;
        }
        if (auto [it, inserted] = lineOfDraw.emplace(draw.drawNumber, lineNumber); !inserted)
            return lineError(lineNumber, "回数 " + std::to_string(draw.drawNumber) + " は" +
                                             std::to_string(it->second) + "行目と重複しています。");
        if (const std::string_view field = dated ? trim(fields.back()) : ""; !field.empty()) {
            const auto key = importtext::dateKey(field);
            const auto date = key ? DrawDates::fromKey(*key) : std::nullopt;
            if (!date)
                return lineError(lineNumber,
                                 std::string(kDateHeading) + quoteInput(field) + "を日付として読めません。");
            if (dates)
                dates->set(draw.drawNumber, *date);
        }
        draws.push_back(draw);
    }
    return draws;
}

Result<std::vector<DrawRecord>> parseHistoryCsv(std::string_view bytes) {
    auto lines = importtext::csvLines(bytes);
    if (!lines)
        return lines.error();
    return parseHistoryCsv(lines.value(), nullptr);
}

Result<std::vector<DrawRecord>> readHistoryCsvFile(const std::filesystem::path& path) {
    return importtext::parseFile<std::vector<DrawRecord>>(path, &parseHistoryCsv);
}

std::string formatHistoryCsv(const DrawHistory& history, const DrawDates& dates) {
    std::string out(kHistoryCsvHeader);
    if (!dates.empty())
        out += "," + std::string(kDateHeading);
    out += '\n';
    for (const DrawRecord& draw : history) {
        out += std::to_string(draw.drawNumber);
        for (int n : draw.numbers) {
            out += ',';
            if (n != kNoNumber)
                out += std::to_string(n);
        }
        // Only the dates the files gave: an expected date is not a fact to write down.
        if (!dates.empty()) {
            out += ',';
            if (const auto it = dates.all().find(draw.drawNumber); it != dates.all().end())
                out += DrawDates::iso(it->second);
        }
        out += '\n';
    }
    return out;
}

} // namespace kazutama
