#include "generator/CombinationFilters.h"

#include "common/QuotedInput.h"
#include "prediction/PredictionEngine.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kazutama {

namespace {

const RangeFilter& rangeFilter(FilterKind kind) {
    return *std::find_if(kRangeFilters.begin(), kRangeFilters.end(),
                         [&](const RangeFilter& filter) { return filter.kind == kind; });
}

std::size_t rangeIndex(FilterKind kind) {
    return std::size_t(&rangeFilter(kind) - kRangeFilters.data());
}

// A decimal number of at most three half-width digits, the whole text.
std::optional<int> smallNumber(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string between(int least, int most) {
    return std::to_string(least) + " から " + std::to_string(most) + " の間";
}

} // namespace

bool CombinationFilters::given(FilterKind kind) const {
    switch (kind) {
    case FilterKind::Include:
        return !include.empty();
    case FilterKind::Exclude:
        return !exclude.empty();
    case FilterKind::SameLastDigitMax:
        return sameLastDigitMax.has_value();
    case FilterKind::PastMatchMax:
        return pastMatchMax.has_value();
    case FilterKind::Pool:
        return poolKind.has_value();
    default:
        return range(kind).has_value();
    }
}

const std::optional<CountRange>& CombinationFilters::range(FilterKind kind) const {
    return ranges[rangeIndex(kind)];
}

std::optional<CountRange>& CombinationFilters::range(FilterKind kind) {
    return ranges[rangeIndex(kind)];
}

Result<CountRange> rangeFromText(FilterKind kind, std::string_view text) {
    const RangeFilter& filter = rangeFilter(kind);
    const std::size_t dash = text.find('-');
    const std::optional<int> low = smallNumber(text.substr(0, dash));
    const std::optional<int> high = dash == std::string_view::npos ? low : smallNumber(text.substr(dash + 1));
    const std::string named = std::string(filter.label) + "の範囲" + quoteInput(text, 12);
    if (!low || !high)
        return makeError(ErrorCode::InvalidData, named + "は「下限-上限」の形ではありません。");
    if (*low > *high)
        return makeError(ErrorCode::InvalidData, named + "は下限が上限より大きくなっています。");
    if (*low < filter.least || *high > filter.most)
        return makeError(ErrorCode::InvalidData,
                         named + "は " + between(filter.least, filter.most) + "で指定してください。");
    return CountRange{*low, *high};
}

Result<int> boundFromText(FilterKind kind, std::string_view text) {
    const bool digits = kind == FilterKind::SameLastDigitMax;
    const std::string label = digits ? "末尾が同じ数字の最大個数" : "過去の当選と一致する最大個数";
    const int least = digits ? 1 : 0;
    const std::optional<int> value = smallNumber(text);
    if (!value || *value < least || *value > kMainCount)
        return makeError(ErrorCode::InvalidData, label + quoteInput(text, 12) + "は " +
                                                     between(least, kMainCount) + "の数で指定してください。");
    return *value;
}

Result<PoolKind> poolFromText(std::string_view text) {
    for (std::size_t i = 0; i < kPoolNames.size(); ++i)
        if (kPoolNames[i] == text)
            return PoolKind(i);
    return makeError(
        ErrorCode::InvalidData,
        "不明な予想の候補です: " + quoteInput(text, 12) +
            "（elimination、multiple、cycle7、cycle9、cycle11、cycle12 のいずれかを指定してください）");
}

std::vector<int> predictionPool(PoolKind kind, const Snapshot& snapshot, const AnalysisOptions& options) {
    PredictionEngine engine;
    engine.fillTables(snapshot);
    std::vector<int> pool;
    if (kind == PoolKind::Elimination || kind == PoolKind::Multiple) {
        const PredictionRun run = engine.run(options);
        pool = kind == PoolKind::Elimination ? run.elimination : run.multiple;
    } else {
        pool = engine.cycleTable().shownNumbers(int(kind) - int(PoolKind::Cycle7));
    }
    std::sort(pool.begin(), pool.end());
    pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
    return pool;
}

} // namespace kazutama
