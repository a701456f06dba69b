#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kazutama {

// Field texts as other tools and spreadsheets write them: full-width digits and letters, blanks around
// the value, zero padding, "第12回" for a draw number, dates in several spellings.
namespace importtext {

// Full-width ASCII (U+FF01..U+FF5E) and the ideographic space become their half-width forms.
std::string toHalfWidth(std::string_view text);

std::string_view trim(std::string_view text);

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
