#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kazutama {

inline constexpr std::string_view kDatabaseFileName = "Kazutama.mdb";

// Where a history database is and the password that unlocks it, handed to whoever opens the database;
// never written to a log or shown.
class ConnectionString {
public:
    // The database of the program installed in `folder` (the executable's folder).
    static ConnectionString forApplicationFolder(const std::filesystem::path& folder);
    static ConnectionString forDatabase(std::filesystem::path databaseFile);

    const std::filesystem::path& databasePath() const { return m_databasePath; }
    const std::string& password() const { return m_password; }

private:
    ConnectionString(std::filesystem::path path, std::string password)
        : m_databasePath(std::move(path)), m_password(std::move(password)) {}

    std::filesystem::path m_databasePath;
    std::string m_password;
};

} // namespace kazutama
