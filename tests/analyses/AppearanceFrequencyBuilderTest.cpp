#include "analyses/AppearanceFrequencyBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>

namespace kazutama {
namespace {

using test::makeHistory;

constexpr Rgb kMain{62, 158, 255};
constexpr Rgb kBonus1{255, 128, 192};
constexpr Rgb kBonus2{0, 255, 170};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kPaleYellow{255, 255, 200};
constexpr Rgb kVeryPaleCyan{222, 254, 253};

ResultGrid build(const DrawHistory& history) {
    return buildAppearanceFrequency(Snapshot(history));
}

// k complete draws of the numbers 1..9: M = k, so the last column is k + 2.
DrawHistory drawsOfOneToNine(int k) {
    std::vector<DrawRecord> records;
    for (int d = 1; d <= k; ++d)
        records.push_back(DrawRecord{d, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    return test::historyOf(records);
}

TEST(AppearanceFrequencyBuilderTest, EmptyHistoryShowsOnlyTheNumberColumns) {
    const ResultGrid grid = build(DrawHistory());
    ASSERT_EQ(grid.columnCount(), 2);
    ASSERT_EQ(grid.rowCount(), 39);
    EXPECT_EQ(grid.text(1, 2), "数字");
    EXPECT_EQ(grid.text(2, 2), "数字");
    for (int n = 1; n <= 37; ++n) {
        EXPECT_EQ(grid.text(1, n + 2), std::to_string(n));
        EXPECT_EQ(grid.text(2, n + 2), std::to_string(n));
    }
    // L / 3 rounds to column 1, so the title sits over the left number column.
    EXPECT_EQ(grid.text(1, 1), "  出 現 頻 度（回）");
    EXPECT_EQ(grid.horizontalAlignment(1, 1), HorizontalAlignment::Left);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 5);
    // Row 2's ordinal block (columns 2..L - 1) is empty: the last column keeps its own colours.
    EXPECT_EQ(grid.foreground(2, 2), kBlue);
    EXPECT_EQ(grid.background(2, 2), kVeryPaleCyan);
    EXPECT_TRUE(grid.borders(1, 1).has(BorderSide::Right));
    EXPECT_EQ(grid.borders(2, 1).sides, 0x0F); // outline of the one-cell title block
}

TEST(AppearanceFrequencyBuilderTest, DotsFollowTheKindOfEachAppearance) {
    // 10 is the first bonus number in draw 1 and a main number in draw 3; 20 the second bonus number.
    const ResultGrid grid = build(makeHistory({
        {1, {1, 2, 3, 4, 5, 6, 7, 10, 20}},
        {2, {1, 2, 3, 4, 5, 6, 0, 10, 20}}, // incomplete: skipped entirely
        {3, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
    }));
    ASSERT_EQ(grid.columnCount(), 4); // M = 2 (number 10)
    EXPECT_EQ(grid.text(2, 12), "●");
    EXPECT_EQ(grid.foreground(2, 12), kBonus1);
    EXPECT_EQ(grid.text(3, 12), "●");
    EXPECT_EQ(grid.foreground(3, 12), kMain);
    EXPECT_EQ(grid.foreground(2, 22), kBonus2);
    EXPECT_EQ(grid.text(3, 22), "");
    EXPECT_FALSE(grid.foreground(3, 22));
    // Number 1 appears once: the incomplete draw 2 left no second dot.
    EXPECT_EQ(grid.text(2, 3), "●");
    EXPECT_EQ(grid.text(3, 3), "");
    // A number never drawn keeps an empty bar between its two labels.
    EXPECT_EQ(grid.text(1, 21), "19");
    EXPECT_EQ(grid.text(2, 21), "");
    EXPECT_EQ(grid.text(4, 21), "19");
    // Ordinals over the dot columns, red on pale yellow; the number columns in blue on very pale cyan.
    EXPECT_EQ(grid.text(2, 2), "1");
    EXPECT_EQ(grid.text(3, 2), "2");
    EXPECT_EQ(grid.foreground(3, 2), kRed);
    EXPECT_EQ(grid.background(3, 2), kPaleYellow);
    EXPECT_EQ(grid.text(4, 2), "数字");
    EXPECT_EQ(grid.foreground(4, 30), kBlue);
    EXPECT_EQ(grid.background(1, 1), kVeryPaleCyan);
}

TEST(AppearanceFrequencyBuilderTest, TitleSitsInTheColumnNearestAThirdOfTheWidth) {
    const std::pair<int, int> lastAndTitleColumns[] = {{2, 1}, {3, 1}, {4, 1}, {5, 2},  {6, 2},
                                                       {7, 2}, {8, 3}, {9, 3}, {10, 3}, {11, 4}};
    for (const auto& [last, title] : lastAndTitleColumns) {
        const ResultGrid grid = build(drawsOfOneToNine(last - 2));
        ASSERT_EQ(grid.columnCount(), last);
        for (int column = 1; column <= last; ++column)
            EXPECT_EQ(grid.text(column, 1).empty(), column != title) << "L=" << last << " column " << column;
        EXPECT_EQ(grid.horizontalAlignment(title, 1), HorizontalAlignment::Left);
        if (title > 1) {
            EXPECT_EQ(grid.foreground(title, 1), kRed) << "L=" << last;
        }
    }
}

TEST(AppearanceFrequencyBuilderTest, SizesAndFrames) {
    const ResultGrid grid = build(drawsOfOneToNine(3)); // L = 5
    EXPECT_TRUE(grid.textRunsOn());
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_EQ(grid.rowHeight(1), 15);
    EXPECT_EQ(grid.rowHeight(2), 15);
    EXPECT_EQ(grid.rowHeight(3), 10);
    EXPECT_EQ(grid.rowHeight(39), 10);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(2), 2);
    EXPECT_EQ(grid.columnWidth(4), 2);
    EXPECT_EQ(grid.columnWidth(5), 5);

    // Title row: one outline over columns 2..L, right sides on columns 1 and L - 1.
    EXPECT_EQ(grid.borders(2, 1).sides, CellBorders::bit(BorderSide::Left) |
                                            CellBorders::bit(BorderSide::Top) |
                                            CellBorders::bit(BorderSide::Bottom));
    EXPECT_EQ(grid.borders(3, 1).sides,
              CellBorders::bit(BorderSide::Top) | CellBorders::bit(BorderSide::Bottom));
    EXPECT_EQ(grid.borders(4, 1).sides, CellBorders::bit(BorderSide::Top) |
                                            CellBorders::bit(BorderSide::Bottom) |
                                            CellBorders::bit(BorderSide::Right));
    EXPECT_EQ(grid.borders(1, 1).sides, CellBorders::bit(BorderSide::Right));
    EXPECT_EQ(grid.background(4, 1), kPaleYellow);
    for (int row = 2; row <= 39; ++row)
        for (int column = 1; column <= 5; ++column) {
            EXPECT_EQ(grid.borders(column, row).sides, 0x0F);
            EXPECT_TRUE(grid.isStaticText(column, row));
        }
    EXPECT_EQ(grid.horizontalAlignment(3, 5), HorizontalAlignment::Center);
    EXPECT_EQ(grid.verticalAlignment(3, 5), VerticalAlignment::Center);
    // The busiest numbers fill their rows up to column L - 1 and no further.
    EXPECT_EQ(grid.text(4, 3), "●");
    EXPECT_EQ(grid.text(5, 3), "1");
}

TEST(AppearanceFrequencyBuilderTest, ANumberStoredTwiceInOneDrawGetsADotPerAppearance) {
    const ResultGrid grid = build(makeHistory({{1, {5, 6, 7, 8, 9, 10, 11, 5, 12}}}));
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.foreground(2, 7), kMain);
    EXPECT_EQ(grid.foreground(3, 7), kBonus1);
    EXPECT_EQ(grid.text(3, 2), "2");
}

} // namespace
} // namespace kazutama
