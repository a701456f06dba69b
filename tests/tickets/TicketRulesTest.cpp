#include "tickets/TicketRules.h"

#include "support/Histories.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

const Ticket kTicket{3, {1, 2, 3, 4, 5, 6, 7}, 2, 5, ""};

TEST(TicketRulesTest, EveryDrawOfTheRangeIsWonLostOrStillToCome) {
    const DrawHistory draws = test::historyOf({
        {1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},          // before the range
        {2, {1, 2, 3, 4, 10, 11, 12, 20, 21}},     // four: 5等
        {3, {1, 2, 3, 10, 11, 12, 13, 7, 21}},     // three and a bonus number: 6等
        {4, {1, 2, 3, 4, 5, 6, 0, 0, 0}},          // not entered completely
        {6, {31, 32, 33, 34, 35, 36, 37, 20, 21}}, // after the range
    });
    const TicketResult result = ticketResult(kTicket, draws);
    ASSERT_EQ(result.draws.size(), 4u);
    EXPECT_EQ(result.draws[0].tier, 5);
    EXPECT_EQ(result.draws[1].mainHits, 3);
    EXPECT_EQ(result.draws[1].bonusHits, 1);
    EXPECT_EQ(result.draws[1].tier, 6);
    EXPECT_TRUE(result.draws[2].pending());
    EXPECT_TRUE(result.draws[3].pending()); // draw 5 is not stored at all
    EXPECT_EQ(result.pending, 2);
    EXPECT_EQ(result.tierCounts, (std::array<int, 7>{0, 0, 0, 0, 0, 1, 1}));
}

TEST(TicketRulesTest, OnlyDrawsNewlyCompletedInsideATicketsRangeAreTold) {
    const DrawHistory before = test::historyOf({{2, {1, 2, 3, 4, 10, 11, 12, 20, 21}}, {3, {1, 2, 0}}});
    const DrawHistory after = test::historyOf({{2, {1, 2, 3, 4, 10, 11, 12, 20, 21}},
                                               {3, {1, 2, 3, 4, 5, 10, 11, 6, 7}},
                                               {6, {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    EXPECT_EQ(newlyDrawnResults({kTicket}, before, after),
              (std::vector<std::string>{"第3回: 購入数字3 … 4等（本数字5個一致、ボーナス数字2個一致）"}));
    EXPECT_TRUE(newlyDrawnResults({kTicket}, after, after).empty());
    EXPECT_TRUE(newlyDrawnResults({}, before, after).empty());
}

TEST(TicketRulesTest, ATicketIsCheckedAsTheUserGaveIt) {
    EXPECT_EQ(checkedTicket({7, 6, 5, 4, 3, 2, 1}, 9, 9, "毎週")->numbers,
              (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "あ";
    EXPECT_TRUE(checkedTicket({1, 2, 3, 4, 5, 6, 7}, 1, 1, hundred));
    for (const auto& [memo, message] : std::vector<std::pair<std::string, std::string>>{
             {hundred + "い", "メモは 100 文字までです（101 文字あります）"},
             {"一行目\n二行目", "改行"},
             {"\xFF\xFE", "UTF-8"}})
        EXPECT_NE(checkedTicket({1, 2, 3, 4, 5, 6, 7}, 1, 1, memo).error().message.find(message),
                  std::string::npos)
            << message;
    EXPECT_NE(checkedTicket({1, 2, 3, 4, 5, 6, 7}, 0, 1, "").error().message.find("開始回（0）"),
              std::string::npos);
    EXPECT_NE(checkedTicket({1, 2, 3, 4, 5, 6, 7}, 1, 32761, "").error().message.find("終了回"),
              std::string::npos);
}

} // namespace
} // namespace kazutama
