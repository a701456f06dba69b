#include "tickets/PickedNumbers.h"

#include "common/QuotedInput.h"
#include "store/DrawRecord.h"

#include <algorithm>
#include <array>
#include <string>

namespace kazutama {

namespace {

constexpr std::string_view kNotALotteryNumber = "は 1 から 37 の数字ではありません。";

// The separators a Japanese user types between numbers, beside the blank and the comma.
constexpr std::array<std::string_view, 5> kWideSeparators = {"\u3000", "\uFF0C", "\u3001", "\u30FB",
                                                             "\uFF65"};

bool startsWithSeparator(std::string_view text, std::size_t& length) {
    if (text[0] == ' ' || text[0] == '\t' || text[0] == ',') {
        length = 1;
        return true;
    }
    for (const std::string_view wide : kWideSeparators)
        if (text.starts_with(wide)) {
            length = wide.size();
            return true;
        }
    return false;
}

// The digit at the front of the text, half- or full-width (U+FF10..U+FF19), with its length in bytes.
int leadingDigit(std::string_view text, std::size_t& length) {
    if (text[0] >= '0' && text[0] <= '9') {
        length = 1;
        return text[0] - '0';
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x99) {
        length = 3;
        return byte(2) - 0x90;
    }
    return -1;
}

} // namespace

Result<std::vector<int>> checkedNumbers(std::vector<int> numbers, int least, int most,
                                        std::string_view what) {
    const int count = int(numbers.size());
    if (count < least || count > most)
        return makeError(ErrorCode::InvalidData,
                         std::string(what) + "は " +
                             (least == most ? std::to_string(most) + " 個指定してください"
                                            : std::to_string(least) + " 個から " + std::to_string(most) +
                                                  " 個まで指定してください") +
                             "（" + std::to_string(count) + " 個あります）。");
    for (int n : numbers)
        if (!isValidNumber(n))
            return makeError(ErrorCode::InvalidData, std::string(what) + " " + std::to_string(n) + " " +
                                                         std::string(kNotALotteryNumber));
    std::sort(numbers.begin(), numbers.end());
    if (const auto twice = std::adjacent_find(numbers.begin(), numbers.end()); twice != numbers.end())
        return makeError(ErrorCode::InvalidData,
                         std::string(what) + " " + std::to_string(*twice) + " が 2 回あります。");
    return numbers;
}

Result<std::vector<int>> numbersFromText(std::string_view text, std::string_view what) {
    std::vector<int> numbers;
    std::size_t length = 0;
    while (!text.empty()) {
        if (startsWithSeparator(text, length)) {
            text.remove_prefix(length);
            continue;
        }
        // A number runs to the next separator. Byte by byte is safe: no byte inside a UTF-8 character is a
        // blank, a comma or the first byte of a character.
        std::size_t end = 0;
        while (end < text.size() && !startsWithSeparator(text.substr(end), length))
            ++end;
        const std::string_view item = text.substr(0, end);
        text.remove_prefix(end);
        int value = 0, digits = 0;
        for (std::size_t at = 0; at < item.size(); at += length) {
            const int digit = leadingDigit(item.substr(at), length);
            if (digit < 0)
                return makeError(ErrorCode::InvalidData,
                                 std::string(what) + quoteInput(item, 10) + "は数字ではありません。");
            value = value * 10 + digit;
            // Leading zeros aside, four digits are past any number here (and keep the value an int).
            if (value > 0 && ++digits > 3)
                return makeError(ErrorCode::InvalidData,
                                 std::string(what) + quoteInput(item, 10) + std::string(kNotALotteryNumber));
        }
        numbers.push_back(value);
    }
    return numbers;
}

Result<std::vector<int>> typedNumbers(const std::vector<std::string>& typed, std::string_view what) {
    std::vector<int> numbers;
    for (const std::string& text : typed) {
        auto read = numbersFromText(text, what);
        if (!read)
            return read.error();
        // One argument, one number: "7,23" as a single argument is as good as two.
        if (read->empty())
            return makeError(ErrorCode::InvalidData,
                             std::string(what) + quoteInput(text, 10) + "は数字ではありません。");
        numbers.insert(numbers.end(), read->begin(), read->end());
    }
    return numbers;
}

} // namespace kazutama
