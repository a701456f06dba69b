#include "store/ConnectionString.h"

namespace kazutama {

namespace {

// The database password is a six-digit number; the connection string carries it as text.
constexpr int kPasswordNumber = 731864;

std::string databasePassword() {
    return std::to_string(kPasswordNumber);
}

} // namespace

ConnectionString ConnectionString::forApplicationFolder(const std::filesystem::path& folder) {
    return forDatabase(folder / kDatabaseFileName);
}

ConnectionString ConnectionString::forDatabase(std::filesystem::path databaseFile) {
    return ConnectionString(std::move(databaseFile), databasePassword());
}

} // namespace kazutama
