#pragma once

#include <string>

namespace kazutama {

// The cause of a failed file operation in plain Japanese, for the part of a message after the file's
// name: "ディスクの空き容量が足りません" rather than "No space left on device".
std::string describeSystemError(int error);

// Why a file of this kind (the `st_mode` of its stat) is neither read nor written in a file's place:
// "通常のファイルではなく名前付きパイプです".
std::string describeNotRegularFile(unsigned mode);

} // namespace kazutama
