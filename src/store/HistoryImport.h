#pragma once

#include "common/Result.h"
#include "store/DrawDates.h"
#include "store/DrawRecord.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// A draw history read from a CSV file: Kazutama's own layout or one of the layouts other tools keep
// (draw numbers as "第12回" or missing, the seven numbers in one space-separated field, full-width digits
// in headings, zero padding, extra columns).
struct ImportedHistory {
    std::vector<DrawRecord> draws; // ascending draw numbers, each once
    DrawDates dates;               // the draws' dates, where the file gives them
    std::string layout;            // the columns recognised, for the preview
    // The file had no draw-number column: draws were numbered 1, 2, 3 … in date (or file) order; `notes`
    // says which.
    bool numberedByRowOrder = false;
    // Draws in which a number stands more than once; imported as they are, listed for the user.
    std::vector<int> drawsWithRepeatedNumbers;
    // Japanese sentences for the preview: how draws were numbered, duplicate lines merged, marks dropped.
    std::vector<std::string> notes;
};

// The whole file is checked first: any bad line rejects it, and the message names the line and the reason.
Result<ImportedHistory> parseHistoryImport(std::string_view bytes);
Result<ImportedHistory> readHistoryImportFile(const std::filesystem::path& path);

} // namespace kazutama
