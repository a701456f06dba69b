#include "prediction/PredictionShift.h"

#include "prediction/EliminationRecipe.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kazutama {
namespace {

TEST(PredictionShiftTest, SumsTheWeightsOfReflectedOptions) {
    // {reflected options by index, shift}
    const std::pair<std::vector<std::size_t>, int> cases[] = {
        {{}, 0},   {{0}, 1},   {{1}, 15}, {{2}, 6},     {{3}, 9},
        {{4}, 10}, {{5}, 4},   {{6}, 8},  {{7}, 2},     {{8}, 11},
        {{9}, 7},  {{10}, 16}, {{11}, 3}, {{0, 11}, 4}, {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 92},
    };
    for (const auto& [reflected, shift] : cases) {
        AnalysisOptions options;
        for (std::size_t i : reflected)
            options[i] = true;
        EXPECT_EQ(computePredictionShift(options), shift) << ::testing::PrintToString(reflected);
    }
}

TEST(WrapNumberTest, WrapsOneStepIntoTheNumberRange) {
    const std::pair<int, int> valueAndWrapped[] = {{59, 22}, {38, 1}, {37, 37}, {1, 1}, {0, 37}, {-5, 32}};
    for (const auto& [value, wrapped] : valueAndWrapped)
        EXPECT_EQ(wrapNumber(value), wrapped) << value;
}

TEST(WrapNumberTest, EveryRecipeValueLandsInTheNumberRange) {
    for (const EliminationStep& step : kEliminationRecipe)
        for (int n = 0; n <= kHighestNumber; ++n)
            EXPECT_TRUE(isValidNumber(wrapNumber(n + step.add))) << n << " + " << step.add;
}

} // namespace
} // namespace kazutama
