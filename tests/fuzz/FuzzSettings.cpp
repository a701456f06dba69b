// Any bytes as the settings file: read without a crash, and whatever is read is written back as the
// twelve lines.

#include "settings/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/kazutama-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const kazutama::AnalysisOptions options = kazutama::ReadInitFile(path);
    if (kazutama::formatInitFile(options).empty())
        __builtin_trap();
    return 0;
}
