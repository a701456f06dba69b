#include "store/DrawDates.h"

#include <charconv>
#include <cstdio>

namespace kazutama {

namespace ch = std::chrono;

std::optional<DrawDates::Date> DrawDates::fromKey(long yyyymmdd) {
    const Date date{ch::year(int(yyyymmdd / 10000)), ch::month(unsigned(yyyymmdd / 100 % 100)),
                    ch::day(unsigned(yyyymmdd % 100))};
    if (yyyymmdd < 0 || !date.ok())
        return std::nullopt;
    return date;
}

std::optional<DrawDates::Date> DrawDates::fromIso(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    long key = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7)
            continue;
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        key = key * 10 + (text[i] - '0');
    }
    return fromKey(key);
}

std::string DrawDates::iso(Date date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return text;
}

std::string DrawDates::japanese(Date date) {
    return std::to_string(int(date.year())) + "年" + std::to_string(unsigned(date.month())) + "月" +
           std::to_string(unsigned(date.day())) + "日";
}

std::optional<DrawDates::Dated> DrawDates::of(int drawNumber) const {
    if (m_dates.empty())
        return std::nullopt;
    if (const auto own = m_dates.find(drawNumber); own != m_dates.end())
        return Dated{own->second, false};
    const auto& [newest, date] = *m_dates.rbegin();
    if (drawNumber < newest)
        return std::nullopt;
    return Dated{Date(ch::sys_days(date) + ch::days(7 * (drawNumber - newest))), true};
}

std::string DrawDates::label(int drawNumber) const {
    const auto dated = of(drawNumber);
    if (!dated)
        return {};
    return japanese(dated->date) + (dated->expected ? "（予定）" : "");
}

std::string staleHistoryNotice(const DrawDates& dates, int newestDrawNumber, DrawDates::Date today) {
    const auto dated = dates.of(newestDrawNumber);
    if (newestDrawNumber <= 0 || !dated || ch::sys_days(today) - ch::sys_days(dated->date) <= ch::days(8))
        return {};
    return "最新の当選データは第" + std::to_string(newestDrawNumber) + "回（" +
           DrawDates::japanese(dated->date) + (dated->expected ? "の予定" : "") + "）です";
}

} // namespace kazutama
