#pragma once

#include "store/ConnectionString.h"

#include <filesystem>

class QWidget;

namespace kazutama {

// The first message of a new, empty database: it says where the file was made and offers, one click each,
// to read the sample history that comes with the program, to read a CSV file the user picks, or to start
// empty. True when draws were stored, so that the history must be read again.
bool offerFirstHistory(QWidget* parent, const ConnectionString& connection,
                       const std::filesystem::path& sampleHistory);

} // namespace kazutama
