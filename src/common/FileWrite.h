#pragma once

#include "common/Result.h"

#include <filesystem>
#include <string_view>

namespace kazutama {

// Writes a whole file so that a failure never leaves it half-written: the bytes go to a new file of a
// unique name in the same folder, which then replaces the old one. A symbolic link is followed and its
// target replaced; a FIFO, a device or anything else that is not a regular file is written to directly.
// An existing file keeps its permissions. `kind` names the file in the message ("CSVファイル").
Status writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string_view kind);

} // namespace kazutama
