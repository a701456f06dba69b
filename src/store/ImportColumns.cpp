#include "store/ImportColumns.h"

#include "common/QuotedInput.h"
#include "store/ImportText.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace kazutama {

namespace {

bool oneOf(const std::string& key, std::initializer_list<std::string> names) {
    return std::find(names.begin(), names.end(), key) != names.end();
}

bool isDrawHeading(const std::string& key) {
    return oneOf(key, {"回数", "開催回", "開催回数", "回別", "抽選回", "抽せん回", "抽選回数", "回号", "回",
                       "round", "draw", "drawno"});
}

bool isDateHeading(const std::string& key) {
    return oneOf(key, {"抽選日", "抽せん日", "抽選日付", "開催日", "日付", "date"});
}

bool isMainHeading(const std::string& key, int position) {
    const std::string n = std::to_string(position);
    return oneOf(key,
                 {"第" + n + "数字", "本数字" + n, "num" + n, "数字" + n, "n" + n, "number" + n, "main" + n});
}

bool isBonusHeading(const std::string& key, int position) {
    const std::string n = std::to_string(position);
    return oneOf(key,
                 {"ボーナス数字" + n, "bonus数字" + n, "ボーナス" + n, "bonus" + n, "数字b" + n, "b" + n});
}

void assignOnce(int& column, int index) {
    if (column < 0)
        column = index;
}

} // namespace

ImportColumns ImportColumns::recognise(const std::vector<std::string>& headings) {
    ImportColumns columns;
    for (int i = 0; i < int(headings.size()); ++i) {
        const std::string key = importtext::headingKey(headings[i]);
        if (isDrawHeading(key))
            assignOnce(columns.draw, i);
        else if (isDateHeading(key))
            assignOnce(columns.date, i);
        else if (oneOf(key, {"本数字", "numbers", "main", "mainnumbers"}))
            assignOnce(columns.mainsTogether, i);
        else if (oneOf(key, {"ボーナス数字", "ボーナス", "bonus", "bonusnumbers"}))
            assignOnce(columns.bonusesTogether, i);
        for (int k = 1; k <= kMainCount; ++k)
            if (isMainHeading(key, k))
                assignOnce(columns.mains[k - 1], i);
        for (int k = 1; k <= 2; ++k)
            if (isBonusHeading(key, k))
                assignOnce(columns.bonuses[k - 1], i);
    }
    return columns;
}

bool ImportColumns::mainsFound() const {
    return mainsTogether >= 0 || std::find(mains.begin(), mains.end(), -1) == mains.end();
}

bool ImportColumns::bonusesFound() const {
    return bonusesTogether >= 0 || (bonuses[0] >= 0 && bonuses[1] >= 0);
}

int ImportColumns::lastNeeded() const {
    int last = std::max({draw, numberedByDate() ? date : -1, mainsTogether, bonusesTogether});
    if (mainsTogether < 0)
        last = std::max(last, *std::max_element(mains.begin(), mains.end()));
    if (bonusesTogether < 0)
        last = std::max(last, *std::max_element(bonuses.begin(), bonuses.end()));
    return last;
}

int ImportColumns::usedCount() const {
    return (draw >= 0) + (numberedByDate() ? 1 : 0) + (mainsTogether >= 0 ? 1 : kMainCount) +
           (bonusesTogether >= 0 ? 1 : 2);
}

std::string ImportColumns::whatIsMissing() const {
    std::string missing;
    if (!mainsFound())
        missing += "本数字";
    if (!bonusesFound())
        missing += std::string(missing.empty() ? "" : "と") + "ボーナス数字";
    return "見出し行を認識できません（" + missing +
           "の列が見つかりません）。次の見出しの列が必要です。"
           "本数字: "
           "「第1数字」〜「第7数字」、「本数字1」〜「本数字7」、「数字1」〜「数字7」、「num1」〜「num7」、"
           "または7個の数字を空白で区切った「本数字」「numbers」。"
           "ボーナス数字: "
           "「ボーナス数字1」「ボーナス数字2」、「BONUS数字1」「BONUS数字2」、「ボーナス1」「ボーナス2」、"
           "「数字B1」「数字B2」、「bonus1」「bonus2」、または2個の数字を空白で区切った「ボーナス数字」「bonu"
           "s」。"
           "回数: 「回数」「開催回」「回別」「抽選回」「round」（なければ「抽選日」「日付」「date」の古い順に"
           "番号を付けます）。";
}

std::string ImportColumns::describe(const std::vector<std::string>& headings) const {
    auto name = [&](int i) { return quoteInput(importtext::trim(headings[i])); };
    std::string text = "回数: " + (draw >= 0 ? name(draw) : std::string("なし"));
    text +=
        "、本数字: " + (mainsTogether >= 0 ? name(mainsTogether) : name(mains[0]) + "〜" + name(mains[6]));
    text += "、ボーナス数字: " +
            (bonusesTogether >= 0 ? name(bonusesTogether) : name(bonuses[0]) + "・" + name(bonuses[1]));
    if (numberedByDate())
        text += "、日付: " + name(date);
    if (const int ignored = int(headings.size()) - usedCount(); ignored > 0)
        text += "（ほかの " + std::to_string(ignored) + " 列は使いません）";
    return text;
}

} // namespace kazutama
