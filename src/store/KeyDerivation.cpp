#include "store/KeyDerivation.h"

// The one-block hash step is the fast part of the library's digests; its higher-level interface is what
// makes the library's own derivation slow.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <openssl/sha.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kazutama {

namespace {

constexpr std::size_t kBlock = 64;  // SHA-1's block
constexpr std::size_t kDigest = 20; // and digest

// The five words of a hash state after the 64-byte key block of HMAC (the key XOR ipad or opad).
SHA_CTX keyedState(const unsigned char (&key)[kBlock], unsigned char pad) {
    unsigned char block[kBlock];
    for (std::size_t i = 0; i < kBlock; ++i)
        block[i] = key[i] ^ pad;
    SHA_CTX state;
    SHA1_Init(&state);
    SHA1_Update(&state, block, kBlock);
    return state;
}

// A 20-byte message after the 64-byte key block, padded as SHA-1 pads an 84-byte input: its hash is one
// block step from the keyed state. The message is written in place, the padding stays.
struct PaddedMessage {
    unsigned char block[kBlock] = {};

    PaddedMessage() {
        block[kDigest] = 0x80;
        constexpr std::uint64_t kBits = (kBlock + kDigest) * 8;
        for (int i = 0; i < 8; ++i)
            block[kBlock - 1 - i] = static_cast<unsigned char>(kBits >> (8 * i));
    }
    unsigned char* message() { return block; }
};

// Hashes `in` (its message) after the keyed state and writes the digest into `out`'s message.
void hashAfterKey(const SHA_CTX& keyed, const PaddedMessage& in, unsigned char* out) {
    SHA_CTX state;
    state.h0 = keyed.h0, state.h1 = keyed.h1, state.h2 = keyed.h2, state.h3 = keyed.h3, state.h4 = keyed.h4;
    SHA1_Transform(&state, in.block);
    const unsigned int words[] = {state.h0, state.h1, state.h2, state.h3, state.h4};
    for (int w = 0; w < 5; ++w)
        for (int b = 0; b < 4; ++b)
            out[4 * w + b] = static_cast<unsigned char>(words[w] >> (24 - 8 * b));
}

// One 20-byte block of the derived key: U1 = HMAC(salt || index), then Ui = HMAC(Ui-1), XORed together.
void deriveBlock(const SHA_CTX& inner, const SHA_CTX& outer, const FileSalt& salt, int rounds, unsigned index,
                 unsigned char* result) {
    PaddedMessage u, inside;
    SHA_CTX first = inner;
    const unsigned char count[4] = {
        static_cast<unsigned char>(index >> 24), static_cast<unsigned char>(index >> 16),
        static_cast<unsigned char>(index >> 8), static_cast<unsigned char>(index)};
    SHA1_Update(&first, salt.data(), salt.size());
    SHA1_Update(&first, count, sizeof count);
    SHA1_Final(inside.message(), &first);
    hashAfterKey(outer, inside, u.message());
    unsigned char block[kDigest];
    std::memcpy(block, u.message(), kDigest);
    for (int round = 1; round < rounds; ++round) {
        hashAfterKey(inner, u, inside.message());
        hashAfterKey(outer, inside, u.message());
        for (std::size_t i = 0; i < kDigest; ++i)
            block[i] ^= u.message()[i];
    }
    std::memcpy(result, block, kDigest);
}

} // namespace

PageKey derivePageKey(std::string_view password, const FileSalt& salt, int rounds) {
    unsigned char key[kBlock] = {};
    if (password.size() > kBlock)
        SHA1(reinterpret_cast<const unsigned char*>(password.data()), password.size(), key);
    else
        std::memcpy(key, password.data(), password.size());
    const SHA_CTX inner = keyedState(key, 0x36);
    const SHA_CTX outer = keyedState(key, 0x5c);

    // The key's two blocks are independent: the second is worked out beside the first where a second core
    // is there to do it.
    unsigned char blocks[2 * kDigest];
    static_assert(sizeof blocks >= std::tuple_size_v<PageKey>);
    std::thread second;
    try {
        second = std::thread(deriveBlock, std::cref(inner), std::cref(outer), std::cref(salt), rounds, 2u,
                             blocks + kDigest);
    } catch (const std::system_error&) {
        deriveBlock(inner, outer, salt, rounds, 2, blocks + kDigest);
    }
    deriveBlock(inner, outer, salt, rounds, 1, blocks);
    if (second.joinable())
        second.join();
    PageKey result{};
    std::memcpy(result.data(), blocks, result.size());
    return result;
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
