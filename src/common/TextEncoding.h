#pragma once

#include "common/Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace kazutama {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isValidUtf8(std::string_view bytes);

// Text files reach us as UTF-8 (with or without a byte-order mark) or, when written on a Japanese
// Windows system, as Shift_JIS. Returns the text as UTF-8 without a byte-order mark.
Result<std::string> decodeTextFile(std::string_view bytes);

// UTF-8 text in the named encoding (an iconv name); nothing when this system does not know the encoding
// or the encoding cannot hold the text.
std::optional<std::string> encodeAs(std::string_view utf8, const std::string& encoding);

// The encoding of the user's locale (of this thread's, where it has one of its own).
std::string localeEncoding();

// UTF-8 text in the encoding of the user's locale. Where that encoding cannot hold the text (the C
// locale and Western single-byte locales cannot hold Japanese), the text stays UTF-8.
std::string encodeForLocale(std::string_view utf8);

} // namespace kazutama
