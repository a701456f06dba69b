#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string_view>

namespace kazutama {

// The core keeps its texts as UTF-8; the windows show them as QString.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// File names go between the two in the file system's own encoding, which need not be UTF-8.
inline std::filesystem::path toPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}
inline QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.string().c_str());
}

} // namespace kazutama
