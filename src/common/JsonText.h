#pragma once

#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace kazutama {

// The JSON text of a string: quoted, with quotes, backslashes and control characters escaped.
// Other UTF-8 text passes through unchanged.
inline std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char* hex = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

// The shortest text that reads back as the same double.
inline std::string jsonNumber(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

// "[a, b, c]" from a range, each element turned into JSON text by `format`.
template <typename Range, typename Format> std::string jsonArray(const Range& range, Format format) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : range) {
        if (!first)
            out += ", ";
        first = false;
        out += format(item);
    }
    out += "]";
    return out;
}

} // namespace kazutama
