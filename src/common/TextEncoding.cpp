#include "common/TextEncoding.h"

#include <iconv.h>
#include <langinfo.h>

namespace kazutama {

namespace {

std::optional<std::string> convert(std::string_view bytes, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // Three bytes out for each byte in is enough between UTF-8 and the Japanese encodings either way.
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int extra;
        unsigned minimum;
        unsigned code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, minimum = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, minimum = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, minimum = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (cc & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

Result<std::string> decodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    // CP932 is Shift_JIS as Windows writes it (with the NEC and IBM extensions).
    if (auto text = convert(bytes, "CP932", "UTF-8"))
        return std::move(*text);
    return makeError(ErrorCode::InvalidData,
                     "文字コードを判別できません（UTF-8 でも Shift_JIS でもありません）。");
}

std::optional<std::string> encodeAs(std::string_view utf8, const std::string& encoding) {
    return convert(utf8, "UTF-8", encoding.c_str());
}

std::string localeEncoding() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset && *codeset ? codeset : "UTF-8";
}

std::string encodeForLocale(std::string_view utf8) {
    return encodeAs(utf8, localeEncoding()).value_or(std::string(utf8));
}

} // namespace kazutama
