#include "store/KeyDerivation.h"

#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sqlite3.h>

namespace kazutama {
namespace {

// The key derived here is the one OpenSSL's PBKDF2 (the database library's own) gives, for short and long
// passwords (a password longer than a hash block is hashed first) and any number of rounds.
TEST(KeyDerivationTest, EqualsTheLibrarysPbkdf2) {
    const FileSalt salt = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0xF0};
    const std::string passwords[] = {"", "Kazutama", std::string(64, 'k'), std::string(100, 'x') + "長い"};
    for (const std::string& password : passwords)
        for (int rounds : {1, 2, 1000, kPageKeyRounds}) {
            PageKey expected{};
            ASSERT_EQ(PKCS5_PBKDF2_HMAC_SHA1(password.data(), int(password.size()), salt.data(),
                                             int(salt.size()), rounds, int(expected.size()), expected.data()),
                      1);
            EXPECT_EQ(derivePageKey(password, salt, rounds), expected) << password.size() << " " << rounds;
        }
}

// A file the database library made with the password opens with the raw key worked out from its salt: the
// library's settings are the ones assumed here.
TEST(KeyDerivationTest, OpensAFileTheLibraryMadeWithThePassword) {
    test::TempDir dir;
    const ConnectionString connection = ConnectionString::forApplicationFolder(dir.path());
    ASSERT_TRUE(DrawStore::create(connection));
    const std::optional<FileSalt> salt = readFileSalt(connection.databasePath());
    ASSERT_TRUE(salt);
    EXPECT_FALSE(readFileSalt(dir / "missing.mdb"));

    const auto tablesWith = [&](const std::string& key) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(connection.databasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_key(db, key.data(), int(key.size()));
        sqlite3_stmt* statement = nullptr;
        int tables = -1;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            tables = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return tables;
    };
    EXPECT_GT(tablesWith(rawKeyText(derivePageKey(connection.password(), *salt))), 0);
    EXPECT_EQ(tablesWith(rawKeyText(derivePageKey(connection.password() + "?", *salt))), -1);
}

} // namespace
} // namespace kazutama
