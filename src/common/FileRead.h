#pragma once

#include "common/Result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kazutama {

// Reads a file the user named, at most `limit` bytes of it (a longer file gives its first `limit` bytes).
// Opening never waits and anything but a regular file is refused, so a FIFO or a device in the file's place
// cannot hang the program. `kind` names the file in the message ("CSVファイル"); a missing file is
// FileMissing, anything else that fails Unreadable.
Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit,
                                  std::string_view kind);

} // namespace kazutama
