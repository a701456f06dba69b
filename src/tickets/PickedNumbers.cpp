#include "tickets/PickedNumbers.h"

#include "common/QuotedInput.h"
#include "store/DrawRecord.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kazutama {

namespace {

// `shown` is the number as the message shows it: " 38 " or "「99999999999」".
Error notANumberFrom1To37(std::string_view what, const std::string& shown) {
    return makeError(ErrorCode::InvalidData,
                     std::string(what) + shown + "は 1 から 37 の数字ではありません。");
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
            return notANumberFrom1To37(what, " " + std::to_string(n) + " ");
    std::sort(numbers.begin(), numbers.end());
    if (const auto twice = std::adjacent_find(numbers.begin(), numbers.end()); twice != numbers.end())
        return makeError(ErrorCode::InvalidData,
                         std::string(what) + " " + std::to_string(*twice) + " が 2 回あります。");
    return numbers;
}

Result<std::vector<int>> typedNumbers(const std::vector<std::string>& typed, std::string_view what) {
    std::vector<int> numbers;
    for (const std::string& text : typed) {
        const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                         [](char c) { return c >= '0' && c <= '9'; });
        if (!digits)
            return makeError(ErrorCode::InvalidData,
                             std::string(what) + quoteInput(text) + "は数字ではありません。");
        int n = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), n).ec != std::errc())
            return notANumberFrom1To37(what, quoteInput(text)); // more digits than an int holds
        numbers.push_back(n);
    }
    return numbers;
}

} // namespace kazutama
