#pragma once

#include <array>
#include <string_view>

namespace kazutama {

inline constexpr int kLowestNumber = 1;
inline constexpr int kHighestNumber = 37;
inline constexpr int kMainCount = 7; // ball positions 1..7
inline constexpr int kBallCount = 9; // 8 and 9 are the two bonus numbers
inline constexpr int kLowestDrawNumber = 1;
inline constexpr int kHighestDrawNumber = 32760; // keeps every table below 32767 rows
inline constexpr int kNoNumber = 0;              // a number not entered yet (NULL in the database)

inline constexpr std::string_view kDrawNumberColumn = "回数";
inline constexpr std::array<std::string_view, kBallCount> kNumberColumns = {
    "第1数字", "第2数字", "第3数字",       "第4数字",       "第5数字",
    "第6数字", "第7数字", "ボーナス数字1", "ボーナス数字2",
};

inline bool isValidNumber(int n) {
    return n >= kLowestNumber && n <= kHighestNumber;
}
inline bool isValidDrawNumber(int d) {
    return d >= kLowestDrawNumber && d <= kHighestDrawNumber;
}

// One stored draw. Numbers are kept by ball position: index 0..6 are the main numbers in column
// order, 7 and 8 the first and second bonus numbers; kNoNumber where nothing has been entered.
struct DrawRecord {
    int drawNumber = 0;
    std::array<int, kBallCount> numbers{};

    // Ball position 1..9, as the analyses count them.
    int ball(int position) const { return numbers[position - 1]; }

    // A draw with all nine numbers entered; everything that analyses the history skips the others.
    bool isComplete() const {
        for (int n : numbers)
            if (n == kNoNumber)
                return false;
        return true;
    }

    bool operator==(const DrawRecord&) const = default;
};

} // namespace kazutama
