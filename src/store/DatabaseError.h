#pragma once

#include "common/Result.h"

#include <filesystem>

struct sqlite3;

namespace kazutama {

enum class DatabaseAccess { Read, Write };

// A failed call on an open database as a message that names the file and says the cause in plain
// Japanese: "データベースファイル「…」に書き込めません（ディスクの空き容量が足りません）。"
Error databaseError(sqlite3* db, int resultCode, DatabaseAccess access);

// The cause in brackets at the end of a store message ("…（ディスクの空き容量が足りません）。"), for a
// message about a file the user does not know of, such as a temporary one.
std::string causeIn(const std::string& message);

// The same for a file that could not be opened at all; `systemError` is an errno value.
Error databaseOpenError(const std::filesystem::path& path, int systemError);
Error databaseOpenError(const std::filesystem::path& path, const std::string& cause);

} // namespace kazutama
