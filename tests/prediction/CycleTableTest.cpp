#include "prediction/CycleTable.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

TEST(CycleTableTest, NumberAlreadyInTheRowAtPositionsOneToEightIsNotRecordedAgain) {
    CycleTable table;
    table.record(0, 3, 5);
    table.record(0, 4, 5); // blocked by position 3
    EXPECT_EQ(table.cell(0, 4), 0);

    table.record(1, 8, 12);
    table.record(1, 2, 12); // blocked by the first bonus position
    EXPECT_EQ(table.cell(1, 2), 0);

    table.record(2, 9, 20);
    table.record(2, 1, 20); // position 9 never blocks
    EXPECT_EQ(table.cell(2, 1), 20);
    table.record(2, 9, 21);
    table.record(2, 9, 20); // but position 9 itself is blocked by position 1
    EXPECT_EQ(table.cell(2, 9), 21);
}

} // namespace
} // namespace kazutama
