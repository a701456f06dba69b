#pragma once

#include "common/Result.h"
#include "store/DrawDates.h"
#include "store/DrawHistory.h"
#include "store/ImportText.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kazutama {

// The history as Kazutama's own CSV: the header line below, then one line per draw in draw-number
// order, an empty field for a number not entered yet.
inline constexpr std::string_view kHistoryCsvHeader =
    "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2";

// The column a history with dates adds at the end of each line ("2026-09-18", or empty).
inline constexpr std::string_view kDateHeading = "抽選日";

// Reads the CSV text (UTF-8 with or without a byte-order mark, or Shift_JIS). The whole file is checked
// first: any bad line rejects it, and the message names the line and the reason.
Result<std::vector<DrawRecord>> parseHistoryCsv(std::string_view bytes);
// The same from the lines of the text as importtext::csvLines gives them (the heading line first); the
// dates of a file with the date column go into `dates`.
Result<std::vector<DrawRecord>> parseHistoryCsv(const std::vector<importtext::Line>& lines, DrawDates* dates);
Result<std::vector<DrawRecord>> readHistoryCsvFile(const std::filesystem::path& path);

// Whether a heading line is the one above, with or without the date column (blanks around the headings
// and quotes aside).
bool isHistoryCsvHeading(std::string_view line);

// With the date column when there are dates.
std::string formatHistoryCsv(const DrawHistory& history, const DrawDates& dates = {});

} // namespace kazutama
