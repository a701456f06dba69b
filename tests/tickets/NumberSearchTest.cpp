#include "tickets/NumberSearch.h"

#include "support/Histories.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

const DrawHistory kDraws = test::historyOf({
    {1, {7, 10, 12, 17, 23, 28, 34, 3, 15}},
    {2, {1, 7, 9, 11, 20, 30, 37, 23, 5}}, // 23 only as a bonus number
    {3, {2, 7, 8, 11, 14, 23, 31, 5, 16}},
    {4, {4, 5, 6, 13, 18, 22, 29, 0, 0}}, // not complete: never counted
});

TEST(NumberSearchTest, FindsTheDrawsHoldingEveryNumberBesideTheExactExpectation) {
    auto main = searchNumbers(kDraws, {23, 7}, false);
    ASSERT_TRUE(main);
    EXPECT_EQ(main->numbers, (std::vector<int>{7, 23}));
    EXPECT_EQ(main->completeDraws, 3);
    ASSERT_EQ(main->found.size(), 2u);
    EXPECT_EQ(main->found[0].drawNumber, 1);
    EXPECT_EQ(main->found[1].drawNumber, 3);
    // 3 × C(35, 5) / C(37, 7) = 3 × 7·6 / (37·36)
    EXPECT_DOUBLE_EQ(main->expected, 3.0 * 42 / 1332);

    auto withBonus = searchNumbers(kDraws, {7, 23}, true);
    ASSERT_TRUE(withBonus);
    EXPECT_EQ(withBonus->found.size(), 3u);
    // 3 × C(35, 7) / C(37, 9) = 3 × 9·8 / (37·36)
    EXPECT_DOUBLE_EQ(withBonus->expected, 3.0 * 72 / 1332);
}

TEST(NumberSearchTest, RefusesWhatIsNotOneToSevenDistinctNumbersFrom1To37) {
    EXPECT_EQ(searchNumbers(kDraws, {}, false).error().code, ErrorCode::InvalidData);
    EXPECT_EQ(searchNumbers(kDraws, {1, 2, 3, 4, 5, 6, 7, 8}, false).error().code, ErrorCode::InvalidData);
    EXPECT_NE(searchNumbers(kDraws, {38}, false).error().message.find("38"), std::string::npos);
    EXPECT_NE(searchNumbers(kDraws, {5, 9, 5}, false).error().message.find("2 回"), std::string::npos);
}

} // namespace
} // namespace kazutama
