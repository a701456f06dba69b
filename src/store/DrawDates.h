#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace kazutama {

// The dates of the draws, where the imported files gave them: by draw number. A draw with no date of its
// own that comes after the newest dated draw is expected a week after the one before it.
class DrawDates {
public:
    using Date = std::chrono::year_month_day;

    // A date as the files and the database keep it: 20260918 (or "2026-09-18"); nothing for one that is
    // not a day of the calendar.
    static std::optional<Date> fromKey(long yyyymmdd);
    static std::optional<Date> fromIso(std::string_view text);
    static std::string iso(Date date);      // "2026-09-18"
    static std::string japanese(Date date); // "2026年9月18日"

    void set(int drawNumber, Date date) { m_dates[drawNumber] = date; }
    bool empty() const { return m_dates.empty(); }
    const std::map<int, Date>& all() const { return m_dates; }

    struct Dated {
        Date date;
        bool expected = false; // worked out from the newest dated draw, not read from a file
    };
    // The draw's own date; for a draw after the newest dated one, the date a weekly draw would have;
    // nothing otherwise.
    std::optional<Dated> of(int drawNumber) const;
    // "2026年9月18日", "2026年9月25日（予定）" or "".
    std::string label(int drawNumber) const;

private:
    std::map<int, Date> m_dates;
};

// The sentence of the status bar when the newest stored draw is more than eight days before `today`:
// "最新の当選データは第695回（2026年9月18日）です"; empty when it is recent or has no date.
std::string staleHistoryNotice(const DrawDates& dates, int newestDrawNumber, DrawDates::Date today);

} // namespace kazutama
