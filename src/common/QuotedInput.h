#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kazutama {

// Bad input as a message quotes it: in 「」, at most its first `maxCharacters` characters followed by "…",
// control characters as their visible pictures (a NUL byte as "␀"), bytes that are not UTF-8 as "�". A 10 MB
// field thus makes a message of one short line.
std::string quoteInput(std::string_view text, std::size_t maxCharacters = 20);

// A file's path as a message names it: in 「」, its last components, as many as fit in `maxCharacters`
// characters, after "…/" when the front was left out; a single name longer than that keeps its start. Any
// path thus makes a message of one readable line, and the file's own name is always in it.
std::string quotePath(const std::filesystem::path& path, std::size_t maxCharacters = 60);

} // namespace kazutama
