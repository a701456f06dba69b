// Any bytes as a history file to import, in every layout the importer recognises: it accepts them or
// names a line, and never crashes, hangs or reads out of bounds.

#include "store/HistoryImport.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto imported =
        kazutama::parseHistoryImport(std::string_view(reinterpret_cast<const char*>(data), size));
    if (imported) {
        for (const kazutama::DrawRecord& draw : imported->draws)
            if (!kazutama::isValidDrawNumber(draw.drawNumber))
                __builtin_trap(); // an accepted file only holds storable draw numbers
    }
    return 0;
}
