#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kazutama {

inline constexpr std::size_t kAnalysisOptionCount = 12;

// The twelve switches of the prediction view, in their fixed order. The index is the index of the
// option button pair; the key is the settings-file key. Index 8's key says "5分割" where its caption
// says "4分割"; both are kept as users' files and screens know them.
inline constexpr std::array<std::string_view, kAnalysisOptionCount> kAnalysisOptionKeys = {
    "頻度分析Opt",      "間隔分析Opt",       "出現回数分析Opt",       "バラツキ分析Opt",
    "引っ張り分析Opt",  "連番飛び石分析Opt", "数字合計分析Opt",       "組合せパターン分析Opt",
    "5分割傾向分析Opt", "分割データ分析Opt", "下一桁出現傾向分析Opt", "下一桁連続出現回数分析Opt",
};

inline constexpr std::array<std::string_view, kAnalysisOptionCount> kAnalysisOptionCaptions = {
    "■頻度分析（出現頻度分析、回数出現分析）",
    "■間隔分析（出現間隔分析、数字間隔分析）",
    "■出現回数分析",
    "■バラツキ分析",
    "■引っ張り分析",
    "■連番・飛び石分析",
    "■数字合計分析",
    "■組合せパターン分析",
    "■4分割傾向分析",
    "■分割データ分析",
    "■下一桁出現傾向分析",
    "■下一桁連続出現回数分析",
};

// Whether each analysis group is reflected in the prediction; all false until the settings are read.
struct AnalysisOptions {
    std::array<bool, kAnalysisOptionCount> reflect{};

    bool operator[](std::size_t index) const { return reflect[index]; }
    bool& operator[](std::size_t index) { return reflect[index]; }
    bool operator==(const AnalysisOptions&) const = default;
};

} // namespace kazutama
