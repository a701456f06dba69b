#include "app/AppFiles.h"

#include "common/QuotedInput.h"
#include "common/SystemError.h"
#include "gui/QtText.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionString.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <system_error>

namespace kazutama {

namespace {

constexpr const char* kHelpCollectionName = "Kazutama.qhc";
constexpr const char* kSampleHistoryName = "loto7-history.csv";

Status createFolder(const std::filesystem::path& folder) {
    if (folder.empty())
        return Ok{};
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return makeError(ErrorCode::WriteFailed, "Kazutamaのファイルを置くフォルダ" + quotePath(folder) +
                                                     "を作成できません（" +
                                                     describeSystemError(error.value()) + "）。");
    return Ok{};
}

} // namespace

AppFiles AppFiles::defaults() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    AppFiles files;
    if (QFileInfo::exists(programFolder + '/' + qs(kDatabaseFileName)) ||
        QFileInfo(programFolder).isWritable()) {
        files.databaseFolder = toPath(programFolder);
        files.settingsFile = kSettingsFileName;
    } else {
        files.databaseFolder = toPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        files.settingsFile =
            toPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)) / kSettingsFileName;
    }
    const QString installedHelp = QDir(programFolder).absoluteFilePath(QStringLiteral("../share/kazutama"));
    const QString helpName = '/' + QString::fromLatin1(kHelpCollectionName);
    files.helpFolder =
        toPath(QFileInfo::exists(programFolder + helpName) || !QFileInfo::exists(installedHelp + helpName)
                   ? programFolder
                   : QDir::cleanPath(installedHelp));
    return files;
}

std::filesystem::path AppFiles::databaseFile() const {
    return databaseFolder / kDatabaseFileName;
}

std::filesystem::path AppFiles::helpCollection() const {
    return (helpFolder.empty() ? databaseFolder : helpFolder) / kHelpCollectionName;
}

std::filesystem::path AppFiles::sampleHistory() const {
    return (helpFolder.empty() ? databaseFolder : helpFolder) / kSampleHistoryName;
}

Status AppFiles::createFolders() const {
    if (auto made = createFolder(databaseFolder); !made)
        return made;
    return createFolder(settingsFile.parent_path());
}

} // namespace kazutama
