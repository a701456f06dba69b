#pragma once

#include "common/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// Numbers a user gave for a search or a ticket, checked: `least` to `most` distinct numbers from 1 to 37,
// returned in ascending order. `what` names them in the message ("探す数字", "照合する数字").
Result<std::vector<int>> checkedNumbers(std::vector<int> numbers, int least, int most, std::string_view what);

// The numbers as typed, each a text of decimal digits, for checkedNumbers; a text that is not one is quoted
// (its start only) in the message.
Result<std::vector<int>> typedNumbers(const std::vector<std::string>& typed, std::string_view what);

} // namespace kazutama
