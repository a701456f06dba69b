#pragma once

#include <cstdint>
#include <string>

namespace kazutama {

// A colour as the tables name it, RGB(red, green, blue). Four bytes: a colour read from a table is then
// passed on in one load, where three bytes were put together through the stack at every call.
struct alignas(4) Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;

    // "#rrggbb", lower-case.
    std::string hex() const {
        static const char* digits = "0123456789abcdef";
        std::string out = "#";
        for (std::uint8_t part : {r, g, b}) {
            out += digits[part >> 4];
            out += digits[part & 0xF];
        }
        return out;
    }
};

} // namespace kazutama
