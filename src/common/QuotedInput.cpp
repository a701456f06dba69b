#include "common/QuotedInput.h"

#include <utility>
#include <vector>

namespace kazutama {

namespace {

// The length of the UTF-8 sequence starting at `text[i]`, or 0 when it is not one.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return length;
}

void appendCodePoint(std::string& out, unsigned code) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// The visible form of `text` (as quoteInput shows it) and how many characters it has.
std::pair<std::string, std::size_t> visible(std::string_view text, std::size_t maxCharacters, bool& cut) {
    std::string out;
    std::size_t characters = 0, i = 0;
    while (i < text.size() && characters < maxCharacters) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(text, i);
        if (byte < 0x20)
            appendCodePoint(out, 0x2400 + byte);
        else if (byte == 0x7F)
            appendCodePoint(out, 0x2421);
        else if (length == 0)
            appendCodePoint(out, 0xFFFD);
        else
            out.append(text.substr(i, length));
        i += length == 0 ? 1 : length;
        ++characters;
    }
    cut = i < text.size();
    return {out, characters};
}

} // namespace

std::string quoteInput(std::string_view text, std::size_t maxCharacters) {
    bool cut = false;
    const std::string shown = visible(text, maxCharacters, cut).first;
    return "「" + shown + (cut ? "…" : "") + "」";
}

std::string quotePath(const std::filesystem::path& path, std::size_t maxCharacters) {
    std::vector<std::string> names;
    for (const auto& part : path.relative_path())
        if (!part.empty())
            names.push_back(part.string());
    if (names.empty())
        return quoteInput(path.string(), maxCharacters);
    bool cut = false;
    auto [shown, used] = visible(names.back(), maxCharacters, cut);
    if (cut)
        return "「" + shown + "…」";
    std::size_t i = names.size() - 1;
    for (; i > 0; --i) {
        auto [name, length] = visible(names[i - 1], maxCharacters, cut);
        if (cut || used + length + 1 > maxCharacters)
            break;
        shown = name + "/" + shown;
        used += length + 1;
    }
    const bool whole = i == 0;
    const std::string front = whole ? (path.has_root_directory() ? "/" : "") : "…/";
    return "「" + front + shown + "」";
}

} // namespace kazutama
