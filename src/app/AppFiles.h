#pragma once

#include "common/Result.h"

#include <filesystem>

namespace kazutama {

// Where the program keeps its files. A copy in a folder of its own (a Kazutama.mdb beside the executable, or
// a folder it may write to) keeps the database there and the settings in the working directory. An
// installed copy, whose folder is not its own, keeps them in the user's data and configuration folders. The
// help is found beside the executable or in the installed share folder.
struct AppFiles {
    std::filesystem::path databaseFolder; // where Kazutama.mdb is
    std::filesystem::path settingsFile;
    std::filesystem::path helpFolder = {}; // where Kazutama.qhc is; empty: the database folder

    // The running program's locations, worked out without creating anything.
    static AppFiles defaults();

    std::filesystem::path databaseFile() const;
    std::filesystem::path helpCollection() const;
    // The sample history (real past draws) that comes with the program, beside the help.
    std::filesystem::path sampleHistory() const;
    // Makes the folders the database and the settings file go in, where they are missing; an error names
    // the folder that could not be made.
    Status createFolders() const;
};

} // namespace kazutama
