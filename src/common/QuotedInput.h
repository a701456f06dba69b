#pragma once

#include <string>
#include <string_view>

namespace kazutama {

// Bad input as a message quotes it: in 「」, at most its first `maxCharacters` characters followed by "…",
// control characters as their visible pictures (a NUL byte as "␀"), bytes that are not UTF-8 as "�". A 10 MB
// field thus makes a message of one short line.
std::string quoteInput(std::string_view text, std::size_t maxCharacters = 20);

} // namespace kazutama
