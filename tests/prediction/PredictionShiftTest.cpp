#include "prediction/PredictionShift.h"

#include "prediction/EliminationRecipe.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

AnalysisOptions optionsWith(std::initializer_list<std::size_t> reflected) {
    AnalysisOptions options;
    for (std::size_t i : reflected)
        options[i] = true;
    return options;
}

TEST(PredictionShiftTest, SumsTheWeightsOfReflectedOptions) {
    EXPECT_EQ(computePredictionShift(AnalysisOptions{}), 0);

    AnalysisOptions all;
    all.reflect.fill(true);
    EXPECT_EQ(computePredictionShift(all), 92);

    EXPECT_EQ(computePredictionShift(optionsWith({1})), 15); // 間隔分析Opt
    EXPECT_EQ(computePredictionShift(optionsWith({0, 11})), 4);
    EXPECT_EQ(computePredictionShift(optionsWith({8})), 11);  // 5分割傾向分析Opt
    EXPECT_EQ(computePredictionShift(optionsWith({10})), 16); // 下一桁出現傾向分析Opt
}

TEST(WrapNumberTest, WrapsOneStepIntoTheNumberRange) {
    EXPECT_EQ(wrapNumber(59), 22);
    EXPECT_EQ(wrapNumber(38), 1);
    EXPECT_EQ(wrapNumber(37), 37);
    EXPECT_EQ(wrapNumber(1), 1);
    EXPECT_EQ(wrapNumber(0 + 1), 1);
    EXPECT_EQ(wrapNumber(0), 37);
    EXPECT_EQ(wrapNumber(-5), 32);
}

TEST(WrapNumberTest, EveryRecipeValueLandsInTheNumberRange) {
    for (const EliminationStep& step : kEliminationRecipe)
        for (int n = 0; n <= kHighestNumber; ++n)
            EXPECT_TRUE(isValidNumber(wrapNumber(n + step.add))) << n << " + " << step.add;
}

} // namespace
} // namespace kazutama
