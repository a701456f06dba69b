#pragma once

#include <string_view>

namespace kazutama {

// Window names (and captions) of the views that are not analyses; the analyses' names are in the view
// catalogue.
inline constexpr std::string_view kPredictionViewName = "一発Kazutama予想";
inline constexpr std::string_view kEntryViewName = "当選データ入力";
inline constexpr std::string_view kTicketViewName = "購入数字の照合";
inline constexpr std::string_view kHistoryCheckViewName = "過去の全当選と照合";
inline constexpr std::string_view kNumberSearchViewName = "数字検索";
// Opened from the prediction view, not from a menu.
inline constexpr std::string_view kBacktestViewName = "予想検証";

} // namespace kazutama
