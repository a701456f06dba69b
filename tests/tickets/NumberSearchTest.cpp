#include "tickets/NumberSearch.h"

#include "support/Histories.h"
#include "tickets/PickedNumbers.h"

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

TEST(NumberSearchTest, ExpectationIsExactForOneAndForSevenNumbers) {
    // One number: 7 of 37 balls, or 9 of 37. Seven: one set of C(37, 7); with the bonus numbers, C(30, 2)
    // sets of nine among the C(37, 9) hold them.
    EXPECT_DOUBLE_EQ(searchNumbers(kDraws, {37}, false)->expected, 3.0 * 7 / 37);
    EXPECT_DOUBLE_EQ(searchNumbers(kDraws, {37}, true)->expected, 3.0 * 9 / 37);
    EXPECT_DOUBLE_EQ(searchNumbers(kDraws, {1, 2, 3, 4, 5, 6, 7}, false)->expected, 3.0 / 10295472);
    EXPECT_DOUBLE_EQ(searchNumbers(kDraws, {1, 2, 3, 4, 5, 6, 7}, true)->expected, 3.0 * 435 / 124403620);
}

TEST(NumberSearchTest, RefusesWhatIsNotOneToSevenDistinctNumbersFrom1To37) {
    EXPECT_EQ(searchNumbers(kDraws, {}, false).error().code, ErrorCode::InvalidData);
    EXPECT_EQ(searchNumbers(kDraws, {1, 2, 3, 4, 5, 6, 7, 8}, false).error().code, ErrorCode::InvalidData);
    EXPECT_NE(searchNumbers(kDraws, {38}, false).error().message.find("38"), std::string::npos);
    EXPECT_NE(searchNumbers(kDraws, {5, 9, 5}, false).error().message.find("2 回"), std::string::npos);

    // As typed: decimal digits (full-width too), quoted by their start when they are not a number.
    EXPECT_EQ(typedNumbers({"07", "37", "0", "３"}, "数字").value(), (std::vector<int>{7, 37, 0, 3}));
    const std::vector<std::string> typos = {"", "x1", "1.5", "+3", std::string(300, 'a')};
    for (const std::string& typed : typos) {
        auto refused = typedNumbers({"1", typed}, "数字");
        ASSERT_FALSE(refused) << typed;
        EXPECT_LT(refused.error().message.size(), 120u) << typed;
    }
    EXPECT_NE(typedNumbers({"99999999999"}, "数字").error().message.find("1 から 37"), std::string::npos);
}

} // namespace
} // namespace kazutama
