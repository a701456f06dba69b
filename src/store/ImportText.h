#pragma once

#include "common/QuotedInput.h"
#include "common/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// The text of a history CSV file, for the reader of Kazutama's own layout and the importer of other tools'
// layouts alike: reading the file, its lines and fields, and field texts as other tools and spreadsheets
// write them (full-width digits and letters, blanks around the value, zero padding, "第12回" for a draw
// number, dates in several spellings).
namespace importtext {

// What a history file may hold: far more than any real history needs, little enough that a wrong file
// is refused at once instead of being read for minutes.
inline constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxLineBytes = 4096;

// The whole file. The message names the file and the cause when it cannot be opened or read.
Result<std::string> readFile(const std::filesystem::path& path);

// Reads the file and parses its bytes; a parse error gets the file's name in front.
template <typename T>
Result<T> parseFile(const std::filesystem::path& path, Result<T> (*parse)(std::string_view bytes)) {
    auto bytes = readFile(path);
    if (!bytes)
        return bytes.error();
    auto parsed = parse(bytes.value());
    if (!parsed)
        return makeError(parsed.error().code, quotePath(path.filename()) + parsed.error().message);
    return parsed;
}

struct Line {
    int number; // 1-based, counting every line of the file
    std::string text;
};

// The lines that hold something, without their line ends, the heading line first: blank lines, the ",,,,"
// lines spreadsheets leave behind and "#" comment lines are left out. The bytes may be UTF-8 (with or without
// a byte-order mark) or Shift_JIS. An error when the encoding is neither or no line is left.
Result<std::vector<Line>> csvLines(std::string_view bytes);

// Splits one CSV line into fields; double quotes enclose fields with commas ("" is a quote).
std::vector<std::string> splitFields(std::string_view line);

// A rejection of the file at one of its lines.
Error lineError(int line, const std::string& reason);

std::string_view trim(std::string_view text);

// A whole decimal number, blanks around it and leading zeros allowed, or nothing.
std::optional<int> wholeNumber(std::string_view text);

// Full-width ASCII (U+FF01..U+FF5E) and the ideographic space become their half-width forms.
std::string toHalfWidth(std::string_view text);

// A heading reduced to what tells columns apart: half-width, lower-case, without blanks or quotes.
std::string headingKey(std::string_view heading);

// "12", "0012", "１２", "第12回", "12回".
std::optional<int> drawNumber(std::string_view field);

// "7", "07", "７"; nothing for anything outside 1..37 or not a whole number.
std::optional<int> ballNumber(std::string_view field);

// "2013-04-05", "2013/4/5", "2013年4月5日", "2013.04.05 0:00:00", "20130405" as the number 20130405.
std::optional<long> dateKey(std::string_view field);

} // namespace importtext
} // namespace kazutama
