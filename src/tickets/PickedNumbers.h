#pragma once

#include "common/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// Numbers a user gave for a search or a ticket, checked: `least` to `most` distinct numbers from 1 to 37,
// returned in ascending order. `what` names them in the message ("探す数字", "照合する数字").
Result<std::vector<int>> checkedNumbers(std::vector<int> numbers, int least, int most, std::string_view what);

// The numbers of a line the user typed, in the order typed and not yet checked: decimal numbers in half- or
// full-width digits, separated by blanks (full-width too), commas, 「、」 or 「・」. Anything else is refused
// with a message that quotes it; so is a number too long to be one of the lottery's.
Result<std::vector<int>> numbersFromText(std::string_view text, std::string_view what);

// The numbers as typed, each read as numbersFromText reads a line, for checkedNumbers; a text that is not one
// is quoted (its start only) in the message.
Result<std::vector<int>> typedNumbers(const std::vector<std::string>& typed, std::string_view what);

} // namespace kazutama
