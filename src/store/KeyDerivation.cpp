#include "store/KeyDerivation.h"

#include <fcntl.h>
#include <nettle/pbkdf2.h>
#include <unistd.h>

namespace kazutama {

PageKey derivePageKey(std::string_view password, const FileSalt& salt, int rounds) {
    PageKey key{};
    pbkdf2_hmac_sha1(password.size(), reinterpret_cast<const std::uint8_t*>(password.data()),
                     static_cast<unsigned>(rounds), salt.size(), salt.data(), key.size(), key.data());
    return key;
}

std::string rawKeyText(const PageKey& key) {
    static const char* hex = "0123456789ABCDEF";
    std::string text = "x'";
    for (unsigned char byte : key) {
        text += hex[byte >> 4];
        text += hex[byte & 0x0F];
    }
    return text + "'";
}

std::optional<FileSalt> readFileSalt(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FileSalt salt{};
    const ssize_t got = ::read(fd, salt.data(), salt.size());
    ::close(fd);
    if (got != ssize_t(salt.size()))
        return std::nullopt;
    return salt;
}

} // namespace kazutama
