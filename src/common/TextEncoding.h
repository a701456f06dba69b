#pragma once

#include "common/Result.h"

#include <string>
#include <string_view>

namespace kazutama {

bool isValidUtf8(std::string_view bytes);

// Text files reach us as UTF-8 (with or without a byte-order mark) or, when written on a Japanese
// Windows system, as Shift_JIS. Returns the text as UTF-8 without a byte-order mark.
Result<std::string> decodeTextFile(std::string_view bytes);

// UTF-8 text converted to the encoding of the user's locale. Locales without a multibyte encoding (the C
// locale) cannot hold the Japanese texts, so they get UTF-8.
Result<std::string> encodeForLocale(std::string_view utf8);

} // namespace kazutama
