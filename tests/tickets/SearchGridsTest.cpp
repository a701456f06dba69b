#include "tickets/SearchGrids.h"

#include "prediction/BacktestGrids.h"
#include "support/Histories.h"
#include "tickets/PickedNumbers.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using namespace drawrows;

const DrawHistory kDraws = test::historyOf({
    {3, {34, 7, 12, 17, 23, 28, 10, 3, 15}},
    {4, {1, 9, 11, 20, 30, 37, 8, 7, 23}}, // 7 and 23 only as bonus numbers
    {5, {2, 7, 8, 11, 14, 31, 5, 23, 16}}, // 23 as the first bonus number
    {6, {4, 5, 6, 13, 18, 22, 29, 0, 0}},  // not complete
});

// The column of a number in a row of a draw list, 0 where the row does not show it.
int columnOf(const ResultGrid& grid, int row, int number) {
    for (int column = kFirstMainColumn; column <= kColumns; ++column)
        if (grid.text(column, row) == std::to_string(number))
            return column;
    return 0;
}

TEST(SearchGridsTest, TheSearchListsTheDrawsFoundWithTheNumbersSearchedInTheirLegendColours) {
    auto search = searchNumbers(kDraws, {23, 7}, true);
    ASSERT_TRUE(search);
    const ResultGrid grid =
        numberSearchGrid(*search, [](int draw) { return "date " + std::to_string(draw); });
    ASSERT_EQ(grid.rowCount(), kHeadingRows + 3);
    EXPECT_EQ(grid.columnCount(), kColumns);
    EXPECT_EQ(grid.text(kDateColumn, 2), "date 3");
    // Draw 3 in ascending order, its bonus numbers as drawn.
    for (int i = 0; i < kMainCount; ++i)
        EXPECT_EQ(grid.text(kFirstMainColumn + i, 2),
                  std::to_string(std::array{7, 10, 12, 17, 23, 28, 34}[i]));
    EXPECT_EQ(grid.text(kFirstBonusColumn, 2), "3");

    const struct {
        int row, number;
        Rgb colour;
    } marked[] = {
        {2, 7, colours::kMainNumberDot},   {2, 23, colours::kMainNumberDot}, {3, 7, colours::kFirstBonusDot},
        {3, 23, colours::kSecondBonusDot}, {4, 7, colours::kMainNumberDot},  {4, 23, colours::kFirstBonusDot},
    };
    for (const auto& mark : marked)
        EXPECT_EQ(grid.background(columnOf(grid, mark.row, mark.number), mark.row), mark.colour)
            << mark.row << " " << mark.number;
    // A number not searched for keeps the column's own colour.
    EXPECT_EQ(grid.background(columnOf(grid, 2, 12), 2), colours::kPaleCyan);
    EXPECT_EQ(grid.background(columnOf(grid, 2, 3), 2), std::nullopt);

    // Without a date lookup the column is there, empty.
    EXPECT_EQ(numberSearchGrid(*search).text(kDateColumn, 2), "");
    const std::string sentence = numberSearchSentence(*search, kDraws);
    EXPECT_NE(sentence.find("3 回（第3回～第5回）"), std::string::npos) << sentence;
    EXPECT_NE(sentence.find("7・23 をすべて含む回は 3 回"), std::string::npos) << sentence;
    EXPECT_NE(sentence.find(expectedCountText(search->expected) + " 回"), std::string::npos) << sentence;
}

TEST(SearchGridsTest, TheHistoryCheckTablesHoldEveryTierAndHitCountAndTheBestDraws) {
    auto check = checkAgainstHistory(kDraws, {7, 10, 12, 17, 23, 1, 2});
    ASSERT_TRUE(check);
    const ResultGrid tiers = historyTierGrid(*check);
    ASSERT_EQ(tiers.rowCount(), tiergrid::row(0));
    for (int tier = 0; tier <= kPrizeTierCount; ++tier) {
        EXPECT_EQ(tiers.text(tiergrid::kCountColumn, tiergrid::row(tier)),
                  std::to_string(check->tierCounts[std::size_t(tier)]));
        EXPECT_EQ(tiers.text(tiergrid::kExpectedColumn, tiergrid::row(tier)),
                  expectedCountText(check->tierExpected[std::size_t(tier)]));
    }
    const ResultGrid hits = historyHitGrid(*check);
    ASSERT_EQ(hits.rowCount(), hitgrid::row(kMainCount));
    EXPECT_EQ(hits.text(hitgrid::kCountColumn, hitgrid::row(5)), "1");

    // Draw 3 holds five: 4等, the best; its five main numbers are marked, the others not.
    const ResultGrid best = historyBestGrid(*check);
    ASSERT_EQ(best.rowCount(), kHeadingRows + 1);
    EXPECT_EQ(best.columnCount(), kBestColumns);
    EXPECT_EQ(best.text(kDrawColumn, 2), "3");
    EXPECT_EQ(best.text(kMainHitsColumn, 2), "5 個");
    EXPECT_EQ(best.text(kTierColumn, 2), "4等");
    int markedCells = 0;
    for (int column = kFirstMainColumn; column <= kColumns; ++column)
        markedCells += best.background(column, 2) == colours::kMainNumberDot;
    EXPECT_EQ(markedCells, 5);
    EXPECT_NE(historyCheckSentence(*check, kDraws).find("4等（本数字 5 個）"), std::string::npos);

    // Nothing checked yet: the headings, and no count that could be read as one.
    const ResultGrid empty = historyTierGrid(HistoryCheck{});
    EXPECT_EQ(empty.text(tiergrid::kCountColumn, tiergrid::row(1)), "");
    EXPECT_EQ(historyBestGrid(HistoryCheck{}).rowCount(), kHeadingRows);
}

TEST(SearchGridsTest, ATicketsDrawsShowTheirHitsAndTierAndThoseNotDrawnYetAsPending) {
    // Draw 4: 1 9 11 20 30 as main numbers and 23 as the second bonus number; draw 5: 11 14 and the first
    // bonus number 23; draw 6 is not complete and draw 7 not entered.
    const Ticket ticket{1, {1, 9, 11, 14, 20, 23, 30}, 4, 7, "memo"};
    const TicketResult result = ticketResult(ticket, kDraws);
    const ResultGrid draws =
        ticketDrawsGrid(ticket, result, [](int draw) { return "date " + std::to_string(draw); });
    ASSERT_EQ(draws.rowCount(), kHeadingRows + 4);
    const struct {
        int row;
        const char *mainHits, *bonusHits, *tier;
    } rows[] = {{2, "5 個", "1 個", "4等"},
                {3, "2 個", "1 個", "はずれ"},
                {4, "", "", "未抽選"},
                {5, "", "", "未抽選"}};
    for (const auto& r : rows) {
        EXPECT_EQ(draws.text(kDrawColumn, r.row), std::to_string(r.row + 2));
        EXPECT_EQ(draws.text(kDateColumn, r.row), "date " + std::to_string(r.row + 2));
        EXPECT_EQ(draws.text(kMainHitsColumn, r.row), std::string(r.mainHits)) << r.row;
        EXPECT_EQ(draws.text(kBonusHitsColumn, r.row), std::string(r.bonusHits)) << r.row;
        EXPECT_EQ(draws.text(kTierColumn, r.row), std::string(r.tier)) << r.row;
    }
    EXPECT_EQ(draws.background(columnOf(draws, 2, 23), 2), colours::kSecondBonusDot);
    EXPECT_EQ(draws.background(columnOf(draws, 3, 23), 3), colours::kFirstBonusDot);
    // The incomplete draw 6 shows none of its numbers: its 4 13 22 would read as a drawn draw.
    EXPECT_EQ(columnOf(draws, 4, 4), 0);

    const ResultGrid list = ticketListGrid({ticket}, {result});
    const int row = ticketlist::kHeadingRows + 1;
    EXPECT_EQ(list.text(ticketlist::kFirstTierColumn + 3, row), "1"); // 4等
    EXPECT_EQ(list.background(ticketlist::kFirstTierColumn + 3, row), colours::kPaleMagenta);
    EXPECT_EQ(list.text(ticketlist::kFirstTierColumn + 5, row), "0"); // 6等
    EXPECT_EQ(list.text(ticketlist::kPendingColumn, row), "2");
    EXPECT_EQ(list.text(ticketlist::kMemoColumn, row), "memo");
}

TEST(SearchGridsTest, TypedNumbersTakeFullWidthDigitsAndJapaneseSeparatorsAndQuoteWhatIsNotANumber) {
    auto typed = numbersFromText("７、23　 ,05・１２", "探す数字");
    ASSERT_TRUE(typed) << typed.error().message;
    EXPECT_EQ(*typed, (std::vector<int>{7, 23, 5, 12}));
    EXPECT_TRUE(numbersFromText("  ", "探す数字")->empty());

    const auto message = [](std::string_view text) {
        return numbersFromText(text, "探す数字").error().message;
    };
    EXPECT_EQ(message("7 2a3"), "探す数字「2a3」は数字ではありません。");
    EXPECT_EQ(message("-1"), "探す数字「-1」は数字ではありません。");
    // A number of any length: quoted, never read past an int.
    EXPECT_EQ(message("99999999999999999999"), "探す数字「9999999999…」は 1 から 37 の数字ではありません。");
}

} // namespace
} // namespace kazutama
