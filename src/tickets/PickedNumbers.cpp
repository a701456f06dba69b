#include "tickets/PickedNumbers.h"

#include "store/DrawRecord.h"

#include <algorithm>
#include <string>

namespace kazutama {

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
            return makeError(ErrorCode::InvalidData, std::string(what) + " " + std::to_string(n) +
                                                         " は 1 から 37 の数字ではありません。");
    std::sort(numbers.begin(), numbers.end());
    if (const auto twice = std::adjacent_find(numbers.begin(), numbers.end()); twice != numbers.end())
        return makeError(ErrorCode::InvalidData,
                         std::string(what) + " " + std::to_string(*twice) + " が 2 回あります。");
    return numbers;
}

} // namespace kazutama
