#pragma once

#include <QString>

#include <string_view>

namespace kazutama {

// The core keeps its texts as UTF-8; the windows show them as QString.
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace kazutama
