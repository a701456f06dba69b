#pragma once

#include "common/Result.h"
#include "settings/AnalysisOptions.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kazutama {

// Named without a folder: the settings live in the current working directory.
inline constexpr std::string_view kSettingsFileName = "Kazutama.ini";

// Reads the options from the settings file, in the locale's encoding, UTF-8, Shift_JIS or EUC-JP. A missing
// or unreadable file (a FIFO or a device in its place among them), lines without "=", unknown keys, values
// that are not Boolean and lines that cannot be read (a bad byte, far too long) leave the options concerned
// as they were; later lines win.
AnalysisOptions ReadInitFile(const std::filesystem::path& path = kSettingsFileName);

// The text the settings file holds for these options: twelve "key=True|False" lines, CR LF, fixed order.
std::string formatInitFile(const AnalysisOptions& options);

// Writes the twelve lines in the locale's encoding (UTF-8 where it cannot hold the keys), through
// writeWholeFile, so a failed write leaves the previous settings intact. A file without any write permission,
// or one the user may not write, is left as it is: ErrorCode::ReadOnly, whose message says the changed
// options were not saved.
Status WriteInitFile(const AnalysisOptions& options, const std::filesystem::path& path = kSettingsFileName);

} // namespace kazutama
