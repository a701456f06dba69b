#pragma once

#include "common/Result.h"

#include <filesystem>
#include <string_view>

namespace kazutama {

// What may stand in the file's place besides a regular file.
enum class FileTarget {
    AnyFile,     // an export: a FIFO someone reads or a character device is written to directly
    RegularOnly, // a file the program reads back: anything but a regular file is refused
};

// Writes a whole file as cp would, and so that a failure leaves no half-written file where that can be
// avoided. A regular file the user may not write is refused (root may write a read-only one). Otherwise the
// bytes go to a new file of a unique name in the same folder, with the old file's owner, group and
// permissions, which then replaces the old one; where the folder takes no new file, or the owner or group
// could not be kept, the file is written in place. A symbolic link is followed and its target written. Of
// other kinds of file, for FileTarget::AnyFile, a FIFO (only while a program reads it) or a character device
// is written to directly; anything else is refused. `kind` names the file in the message ("CSVファイル").
Status writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string_view kind,
                      FileTarget target = FileTarget::AnyFile);

} // namespace kazutama
