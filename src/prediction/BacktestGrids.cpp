#include "prediction/BacktestGrids.h"

#include "grid/Colours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kazutama {

namespace {

constexpr double kRowHeight = 11;
constexpr double kHeadingRowHeight = 12;
constexpr int kObserved = 0, kExpected = 1, kDifference = 2;
// The sweep's example options wrap at this many character widths.
constexpr int kOptionsWidth = 40;

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// One decimal from 1 up; below it two significant digits, so that the chance of a first prize over a few
// hundred draws does not read as 0.
int decimalsFor(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude >= 1 || magnitude == 0)
        return 1;
    return std::clamp(1 - int(std::floor(std::log10(magnitude))), 1, 6);
}

// Observed minus expected, signed, to the precision the expectation is shown in.
std::string differenceText(double observed, double expected, int decimals) {
    const double difference = observed - expected;
    const std::string magnitude = fixed(std::fabs(difference), decimals);
    if (magnitude.find_first_not_of("0.") == std::string::npos)
        return fixed(0, decimals);
    return (difference > 0 ? "+" : "-") + magnitude;
}

void writeLine(ResultGrid& grid, int column, int row, double observed, double expected) {
    grid.setText(column, row, fixed(observed, 0));
    grid.setText(column, row + 1, expectedCountText(expected));
    grid.setText(column, row + 2, differenceText(observed, expected, decimalsFor(expected)));
}

void writeMeans(ResultGrid& grid, int column, int row, const MethodSummary& summary) {
    grid.setText(column, row, fixed(summary.meanHits, 2));
    grid.setText(column, row + 1, fixed(summary.expectedMeanHits, 2));
    grid.setText(column, row + 2, differenceText(summary.meanHits, summary.expectedMeanHits, 2));
}

// Every cell centred and framed; the heading rows pale pink with blue text.
ResultGrid frame(int columns, int rows, int headingRows) {
    ResultGrid grid(columns, rows);
    grid.setRowHeight(ResultGrid::kAll, kRowHeight);
    for (int row = 1; row <= headingRows; ++row)
        grid.setRowHeight(row, kHeadingRowHeight);
    grid.setStaticText(GridBlock::all());
    grid.setAlignment(GridBlock::all(), HorizontalAlignment::Center, VerticalAlignment::Center);
    grid.setTextRunsOn(true);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    grid.setForeground(GridBlock::rows(1, headingRows), colours::kBlue);
    grid.setBackground(GridBlock::rows(1, headingRows), colours::kPalePink);
    grid.setCurrentCell(0, 0);
    return grid;
}

// A block read as one cell: its inner lines go, its frame stays.
void merge(ResultGrid& grid, const GridBlock& block) {
    grid.setBorders(block, BorderMode::None);
    grid.setBorders(block, BorderMode::Outline);
}

// A heading over several columns, written in its first cell and reading across the others.
void groupHeading(ResultGrid& grid, int firstColumn, int lastColumn, int row, std::string_view text) {
    merge(grid, {firstColumn, lastColumn, row, row});
    grid.setText(firstColumn, row, text);
    grid.setHorizontalAlignment(GridBlock::cell(firstColumn, row), HorizontalAlignment::Left);
}

// Rows of three lines: the label column says which line is which, the difference line is tinted.
void writeLineLabels(ResultGrid& grid, int labelColumn, int firstRow, int lastColumn) {
    for (int line = 0; line < 3; ++line)
        grid.setText(labelColumn, firstRow + line, kBacktestLineLabels[std::size_t(line)]);
    grid.setBackground({labelColumn, labelColumn, firstRow, firstRow + 2}, colours::kVeryPaleCyan);
    grid.setBackground({labelColumn + 1, lastColumn, firstRow + kDifference, firstRow + kDifference},
                       colours::kPaleYellow);
}

// A method's name in two heading lines: "7回" over "周期法", "連発" over "予想".
std::array<std::string_view, 2> splitMethodName(std::string_view name) {
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    for (const std::string_view cut : {std::string_view("回"), std::string_view("予想")}) {
        const std::size_t at = name.find(cut);
        if (at == std::string_view::npos || at == 0)
            continue;
        const std::size_t split = cut == "回" ? at + cut.size() : at;
        return {name.substr(0, split), name.substr(split)};
    }
    return {"", name};
}

// Character widths of a UTF-8 text in the grid font: a full-width (multi-byte) character takes two.
int textWidth(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            width += 1;
        else if (byte >= 0xC0)
            width += 2;
    }
    return width;
}

std::string_view shortOptionName(std::size_t option) {
    std::string_view caption = kAnalysisOptionCaptions[option];
    constexpr std::string_view mark = "■";
    if (caption.starts_with(mark))
        caption.remove_prefix(mark.size());
    return caption.substr(0, caption.find("（"));
}

std::string tierHeading(int tier) {
    return std::to_string(tier) + "等";
}

// An option set in lines of about `width` character widths: the reflected options or, where more than half
// are reflected, the ones that are not, so that the text stays short.
std::vector<std::string> optionLines(const AnalysisOptions& options, int width) {
    const auto reflected = std::count(options.reflect.begin(), options.reflect.end(), true);
    const bool complement = reflected > std::ptrdiff_t(kAnalysisOptionCount) / 2;
    std::vector<std::string_view> names;
    for (std::size_t option = 0; option < kAnalysisOptionCount; ++option)
        if (options[option] != complement)
            names.push_back(shortOptionName(option));
    std::vector<std::string> lines;
    if (complement)
        lines.emplace_back(names.empty() ? "すべて" : "すべて（次を除く）");
    else if (names.empty())
        lines.emplace_back("なし");
    std::string line;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string item = std::string(names[i]) + (i + 1 < names.size() ? "、" : "");
        if (!line.empty() && textWidth(line) + textWidth(item) > width) {
            lines.push_back(std::move(line));
            line.clear();
        }
        line += item;
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace

std::string expectedCountText(double value) {
    if (value == 0)
        return "0";
    if (value < 0.0000005)
        return "<0.000001";
    return fixed(value, decimalsFor(value));
}

std::string reflectedOptionNames(const AnalysisOptions& options) {
    std::string names;
    for (std::size_t option = 0; option < kAnalysisOptionCount; ++option) {
        if (!options[option])
            continue;
        if (!names.empty())
            names += "、";
        names += shortOptionName(option);
    }
    return names.empty() ? "なし" : names;
}

ResultGrid backtestSummaryGrid(const BacktestResult& result) {
    using namespace summarygrid;
    ResultGrid grid = frame(kColumns, kHeadingRows + kBacktestMethodCount * kRowsPerMethod, kHeadingRows);
    grid.setColumnWidth(ResultGrid::kAll, 6);
    grid.setColumnWidth(1, 11);
    // Seven hits out of seven numbers are expected less than once in ten thousand draws.
    grid.setColumnWidth(kFirstHitsColumn + kMainCount, 7);
    grid.setColumnWidth(kMeanColumn, 8);
    grid.setColumnWidth(kBonusColumn, 8);
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        grid.setColumnWidth(kFirstTierColumn + tier - 1, 7);

    merge(grid, {1, 1, 1, 2});
    merge(grid, {3, 3, 1, 2});
    grid.setText(1, 2, "手法");
    grid.setText(kDrawsColumn, 1, "検証");
    grid.setText(kDrawsColumn, 2, "回数");
    groupHeading(grid, kFirstHitsColumn, kFirstHitsColumn + kMainCount, 1, " 本数字の当たり数ごとの回数");
    for (int hits = 0; hits <= kMainCount; ++hits)
        grid.setText(kFirstHitsColumn + hits, 2, std::to_string(hits) + "個");
    grid.setText(kMeanColumn, 1, "平均");
    grid.setText(kMeanColumn, 2, "当たり数");
    grid.setText(kBonusColumn, 1, "ボーナス");
    grid.setText(kBonusColumn, 2, "当たり");
    grid.setText(kTicketsColumn, 1, "7個の");
    grid.setText(kTicketsColumn, 2, "予想");
    groupHeading(grid, kFirstTierColumn, kColumns, 1, " 等級ごとの回数（7個の予想だけ）");
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        grid.setText(kFirstTierColumn + tier - 1, 2, tierHeading(tier));

    for (int method = 0; method < kBacktestMethodCount; ++method) {
        const MethodSummary& summary = result.methods[std::size_t(method)];
        const int top = row(method, kObserved);
        merge(grid, {1, 1, top, top + 2});
        merge(grid, {kDrawsColumn, kDrawsColumn, top, top + 2});
        grid.setText(1, top, kBacktestMethodNames[std::size_t(method)]);
        grid.setNumber(kDrawsColumn, top, summary.draws);
        writeLineLabels(grid, 3, top, kColumns);
        if (summary.draws == 0)
            continue; // nothing was picked, so there is nothing to compare
        for (int hits = 0; hits <= kMainCount; ++hits)
            writeLine(grid, kFirstHitsColumn + hits, top, summary.hits[std::size_t(hits)],
                      summary.expectedHits[std::size_t(hits)]);
        writeMeans(grid, kMeanColumn, top, summary);
        writeLine(grid, kBonusColumn, top, summary.bonusHits, summary.expectedBonusHits);
        if (summary.tickets == 0)
            continue;
        grid.setNumber(kTicketsColumn, top, summary.tickets);
        for (int tier = 1; tier <= kPrizeTierCount; ++tier)
            writeLine(grid, kFirstTierColumn + tier - 1, top, summary.tiers[std::size_t(tier)],
                      summary.expectedTiers[std::size_t(tier)]);
    }
    grid.setForeground({1, 1, kHeadingRows + 1, grid.rowCount()}, colours::kBlue);
    grid.setBackground({1, 1, kHeadingRows + 1, grid.rowCount()}, colours::kVeryPaleCyan);
    grid.setHeadings(kHeadingRows, 3);
    return grid;
}

ResultGrid backtestDrawGrid(const BacktestResult& result) {
    using namespace drawgrid;
    const int rows = kHeadingRows + int(result.draws.size());
    ResultGrid grid = frame(kColumns, rows, kHeadingRows);
    grid.setColumnWidth(ResultGrid::kAll, 4);
    grid.setColumnWidth(1, 5);
    grid.setColumnWidth(kTierColumn, 5);
    for (int method = 0; method < kBacktestMethodCount; ++method)
        grid.setColumnWidth(kFirstHitsColumn + method, 6);

    const int bonusColumn = kFirstDrawnColumn + kMainCount;
    merge(grid, {1, 1, 1, kHeadingRows});
    grid.setText(1, kHeadingRows, "回");
    groupHeading(grid, kFirstDrawnColumn, bonusColumn + 1, 1, " 当選番号");
    groupHeading(grid, kFirstDrawnColumn, bonusColumn - 1, 2, " 本数字");
    groupHeading(grid, bonusColumn, bonusColumn + 1, 2, " ボーナス");
    merge(grid, {kFirstDrawnColumn, bonusColumn - 1, 2, kHeadingRows});
    merge(grid, {bonusColumn, bonusColumn + 1, 2, kHeadingRows});
    groupHeading(grid, kFirstOneShotColumn, kTierColumn, 1, " １発予想の数字と等級");
    merge(grid, {kFirstOneShotColumn, kFirstOneShotColumn + kMainCount - 1, 2, kHeadingRows});
    merge(grid, {kTierColumn, kTierColumn, 2, kHeadingRows});
    grid.setText(kTierColumn, kHeadingRows, "等級");
    groupHeading(grid, kFirstHitsColumn, kColumns, 1, " 本数字の当たり数");
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        const auto [first, second] = splitMethodName(kBacktestMethodNames[std::size_t(method)]);
        grid.setText(kFirstHitsColumn + method, 2, first);
        grid.setText(kFirstHitsColumn + method, 3, second);
        merge(grid, {kFirstHitsColumn + method, kFirstHitsColumn + method, 2, kHeadingRows});
    }

    // The draw numbers and the main numbers as the draw lists of the analyses show them.
    const GridBlock body{1, kColumns, kHeadingRows + 1, rows};
    grid.setForeground({1, 1, body.firstRow, body.lastRow}, colours::kRed);
    grid.setBackground({1, 1, body.firstRow, body.lastRow}, colours::kPaleYellow);
    grid.setBackground({kFirstDrawnColumn, bonusColumn - 1, body.firstRow, body.lastRow}, colours::kPaleCyan);

    int row = kHeadingRows;
    for (const BacktestDraw& tested : result.draws) {
        ++row;
        grid.setNumber(1, row, tested.draw);
        for (int position = 0; position < kBallCount; ++position)
            grid.setNumber(kFirstDrawnColumn + position, row, tested.drawn[std::size_t(position)]);
        const MethodOutcome& oneShot = tested.outcomes[kOneShotMethod];
        for (std::size_t i = 0; i < oneShot.numbers.size() && i < std::size_t(kMainCount); ++i) {
            const int number = oneShot.numbers[i];
            const int column = kFirstOneShotColumn + int(i);
            grid.setNumber(column, row, number);
            // The colours of the analyses' legends: main number, first and second bonus number.
            const auto at = std::find(tested.drawn.begin(), tested.drawn.end(), number);
            const auto position = at - tested.drawn.begin();
            if (at == tested.drawn.end())
                continue;
            grid.setBackground(GridBlock::cell(column, row), position < kMainCount ? colours::kMainNumberDot
                                                             : position == kMainCount
                                                                 ? colours::kFirstBonusDot
                                                                 : colours::kSecondBonusDot);
        }
        if (oneShot.tier > 0) {
            grid.setText(kTierColumn, row, tierHeading(oneShot.tier));
            grid.setBackground(GridBlock::cell(kTierColumn, row), colours::kPaleMagenta);
        }
        for (int method = 0; method < kBacktestMethodCount; ++method) {
            const MethodOutcome& outcome = tested.outcomes[std::size_t(method)];
            if (!outcome.numbers.empty())
                grid.setNumber(kFirstHitsColumn + method, row, outcome.mainHits);
        }
    }
    grid.setHeadings(kHeadingRows, 1);
    return grid;
}

ResultGrid shiftSweepGrid(const std::vector<SweepRow>& rows, int shiftInForce) {
    using namespace sweepgrid;
    ResultGrid grid = frame(kColumns, kHeadingRows + int(rows.size()) * kRowsPerShift, kHeadingRows);
    grid.setColumnWidth(ResultGrid::kAll, 7);
    grid.setColumnWidth(1, 6);
    grid.setColumnWidth(2, 6);
    grid.setColumnWidth(kOneShotMeanColumn, 8);
    grid.setColumnWidth(kMultipleMeanColumn, 9);

    merge(grid, {1, 2, 1, kHeadingRows});
    grid.setText(1, kHeadingRows, "シフト");
    groupHeading(grid, kOneShotMeanColumn, kFirstTierColumn + kPrizeTierCount - 1, 1, " １発予想");
    grid.setText(kOneShotMeanColumn, 2, "平均");
    grid.setText(kOneShotMeanColumn, 3, "当たり数");
    groupHeading(grid, kFirstTierColumn, kFirstTierColumn + kPrizeTierCount - 1, 2, " 等級ごとの回数");
    for (int tier = 1; tier <= kPrizeTierCount; ++tier)
        grid.setText(kFirstTierColumn + tier - 1, 3, tierHeading(tier));
    grid.setText(kMultipleMeanColumn, 1, "連発予想");
    grid.setText(kMultipleMeanColumn, 2, "平均");
    grid.setText(kMultipleMeanColumn, 3, "当たり数");
    merge(grid, {kOptionsColumn, kOptionsColumn, 1, kHeadingRows});
    grid.setText(kOptionsColumn, kHeadingRows, "反映するデータ分析（一例）");

    for (std::size_t index = 0; index < rows.size(); ++index) {
        const SweepRow& sweep = rows[index];
        const int top = row(int(index), kObserved);
        merge(grid, {1, 1, top, top + 2});
        merge(grid, {kOptionsColumn, kOptionsColumn, top, top + 2});
        grid.setNumber(1, top, sweep.shift);
        writeLineLabels(grid, 2, top, kMultipleMeanColumn);
        // The block's three rows hold the example; a longer one crowds into the last.
        const std::vector<std::string> lines = optionLines(sweep.example, kOptionsWidth);
        for (std::size_t line = 0; line < lines.size(); ++line) {
            const int at = top + std::min<int>(int(line), kRowsPerShift - 1);
            grid.setText(kOptionsColumn, at, std::string(grid.text(kOptionsColumn, at)) + lines[line]);
        }
        if (sweep.oneShot.draws > 0)
            writeMeans(grid, kOneShotMeanColumn, top, sweep.oneShot);
        if (sweep.oneShot.tickets > 0)
            for (int tier = 1; tier <= kPrizeTierCount; ++tier)
                writeLine(grid, kFirstTierColumn + tier - 1, top, sweep.oneShot.tiers[std::size_t(tier)],
                          sweep.oneShot.expectedTiers[std::size_t(tier)]);
        if (sweep.multiple.draws > 0)
            writeMeans(grid, kMultipleMeanColumn, top, sweep.multiple);
        if (sweep.shift == shiftInForce)
            grid.setBackground({1, 1, top, top + 2}, colours::kPaleGreen);
    }
    grid.setForeground({1, 1, kHeadingRows + 1, grid.rowCount()}, colours::kBlue);
    grid.setHorizontalAlignment(GridBlock::columns(kOptionsColumn, kOptionsColumn),
                                HorizontalAlignment::Left);
    grid.setColumnWidth(kOptionsColumn, kOptionsWidth + 2);
    grid.setHeadings(kHeadingRows, 2);
    return grid;
}

std::vector<CumulativeHits> cumulativeHits(const BacktestResult& result, int method) {
    std::vector<CumulativeHits> points;
    points.reserve(result.draws.size());
    CumulativeHits total;
    for (const BacktestDraw& tested : result.draws) {
        const MethodOutcome& outcome = tested.outcomes[std::size_t(method)];
        total.draw = tested.draw;
        total.hits += outcome.mainHits;
        total.expected += double(outcome.numbers.size()) * kMainCount / kHighestNumber;
        points.push_back(total);
    }
    return points;
}

} // namespace kazutama
