#include "grid/ResultGrid.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace kazutama {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

bool anyFormat(const ResultGrid& grid, int column, int row) {
    return grid.foreground(column, row) || grid.background(column, row) ||
           grid.borders(column, row).sides != 0;
}

TEST(ResultGridTest, WritesAndFormatsOutsideTheExtentAreIgnored) {
    ResultGrid grid(3, 2);
    for (auto [c, r] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 3}, {-1, 1}, {1, -1}})
        grid.setText(c, r, "x");
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(grid.text(c, r), "") << c << "," << r;
    EXPECT_EQ(grid.text(4, 1), "");

    // A block reaching past the edge is clipped, not dropped.
    grid.setBackground({2, 10, 1, 1}, kRed);
    EXPECT_FALSE(grid.background(1, 1));
    EXPECT_EQ(grid.background(2, 1), kRed);
    EXPECT_EQ(grid.background(3, 1), kRed);
    EXPECT_FALSE(grid.background(2, 2));

    grid.setBorders({5, 9, 1, 2}, BorderMode::Grid);
    grid.setForeground({1, 3, 3, 7}, kBlue);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_FALSE(grid.borders(c, r).sides || grid.foreground(c, r)) << c << "," << r;

    grid.setColumnWidth(7, 99);
    grid.setRowHeight(0, 99);
    EXPECT_EQ(grid.columnWidth(3), ResultGrid::kDefaultColumnWidth);
    EXPECT_EQ(grid.rowHeight(1), ResultGrid::kDefaultRowHeight);
}

TEST(ResultGridTest, ReversedBlocksCoverNoCell) {
    ResultGrid grid(4, 4);
    grid.setBackground({3, 2, 1, 4}, kRed); // last column before the first
    grid.setForeground({1, 4, 2, 1}, kRed); // last row before the first
    grid.setBorders({2, 1, 2, 2}, BorderMode::Outline);
    grid.setHorizontalAlignment({3, 2, 1, 4}, HorizontalAlignment::Right);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) {
            EXPECT_FALSE(anyFormat(grid, c, r)) << c << "," << r;
            EXPECT_EQ(grid.horizontalAlignment(c, r), HorizontalAlignment::Left);
        }
}

TEST(ResultGridTest, MinusOneMeansTheWholeRange) {
    ResultGrid grid(3, 3);
    grid.setColumnWidth(ResultGrid::kAll, 2);
    grid.setColumnWidth(1, 5);
    grid.setRowHeight(ResultGrid::kAll, 10);
    grid.setRowHeight(2, 15);
    EXPECT_EQ(grid.columnWidth(1), 5);
    EXPECT_EQ(grid.columnWidth(3), 2);
    EXPECT_EQ(grid.rowHeight(2), 15);
    EXPECT_EQ(grid.rowHeight(3), 10);

    // Columns and rows added later take the all-columns and all-rows settings.
    grid.setColumnCount(5);
    grid.setRowCount(4);
    EXPECT_EQ(grid.columnWidth(5), 2);
    EXPECT_EQ(grid.rowHeight(4), 10);
    EXPECT_EQ(grid.columnWidth(1), 5);

    grid.setBackground({2, GridBlock::kAll, GridBlock::kAll, 1}, kRed); // column 2 to the last, row 1
    EXPECT_FALSE(grid.background(1, 1));
    EXPECT_EQ(grid.background(5, 1), kRed);
    EXPECT_FALSE(grid.background(5, 2));

    grid.setForeground(GridBlock::all(), kBlue);
    EXPECT_EQ(grid.foreground(1, 1), kBlue);
    EXPECT_EQ(grid.foreground(5, 4), kBlue);
}

TEST(ResultGridTest, ColoursSetExplicitlyAreKnownEvenWhenTheyLookLikeDefaults) {
    ResultGrid grid(2, 1);
    EXPECT_FALSE(grid.foreground(1, 1));
    EXPECT_FALSE(grid.background(1, 1));
    grid.setForeground(GridBlock::cell(1, 1), kBlack);
    grid.setBackground(GridBlock::cell(1, 1), kWhite);
    EXPECT_EQ(grid.foreground(1, 1), kBlack);
    EXPECT_EQ(grid.background(1, 1), kWhite);
    EXPECT_FALSE(grid.foreground(2, 1));

    // A later colour replaces the earlier one; other cells keep theirs.
    grid.setForeground(GridBlock::all(), kRed);
    grid.setForeground(GridBlock::cell(2, 1), kBlue);
    EXPECT_EQ(grid.foreground(1, 1), kRed);
    EXPECT_EQ(grid.foreground(2, 1), kBlue);
    EXPECT_EQ(grid.background(1, 1), kWhite);
}

TEST(ResultGridTest, ManyDistinctColoursReadBackExactly) {
    ResultGrid grid(255, 1);
    for (int c = 1; c <= 255; ++c)
        grid.setBackground(GridBlock::cell(c, 1), Rgb{std::uint8_t(c), std::uint8_t(255 - c), 7});
    for (int c = 1; c <= 255; ++c)
        EXPECT_EQ(grid.background(c, 1), (Rgb{std::uint8_t(c), std::uint8_t(255 - c), 7})) << c;
    EXPECT_EQ((Rgb{136, 196, 255}.hex()), "#88c4ff");
}

TEST(ResultGridTest, OutlineFramesTheBlockOnly) {
    ResultGrid grid(5, 4);
    grid.setBorders({2, 4, 2, 3}, BorderMode::Outline);
    const auto sides = [&](int c, int r) { return grid.borders(c, r); };
    EXPECT_TRUE(sides(2, 2).has(BorderSide::Left) && sides(2, 2).has(BorderSide::Top));
    EXPECT_FALSE(sides(2, 2).has(BorderSide::Right) || sides(2, 2).has(BorderSide::Bottom));
    EXPECT_EQ(sides(3, 2).sides, CellBorders::bit(BorderSide::Top));
    EXPECT_EQ(sides(3, 3).sides, CellBorders::bit(BorderSide::Bottom));
    EXPECT_TRUE(sides(4, 3).has(BorderSide::Right) && sides(4, 3).has(BorderSide::Bottom));
    EXPECT_EQ(sides(1, 2).sides, 0);
    EXPECT_EQ(sides(5, 3).sides, 0);

    // A one-cell block gets all four sides.
    grid.setBorders(GridBlock::cell(5, 4), BorderMode::Outline);
    EXPECT_EQ(sides(5, 4).sides, 0x0F);
}

TEST(ResultGridTest, GridSideAndNoneBorders) {
    ResultGrid grid(3, 2);
    grid.setBorders(GridBlock::all(), BorderMode::Grid);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(grid.borders(c, r).sides, 0x0F);

    // Removing the borders of a row's inner cells keeps those of its neighbours, as a title span needs.
    grid.setBorders({2, 3, 1, 1}, BorderMode::None);
    grid.setBorders(GridBlock::cell(3, 1), BorderMode::Right);
    EXPECT_EQ(grid.borders(2, 1).sides, 0);
    EXPECT_EQ(grid.borders(3, 1).sides, CellBorders::bit(BorderSide::Right));
    EXPECT_TRUE(grid.borders(1, 1).has(BorderSide::Right));
    EXPECT_TRUE(grid.borders(2, 2).has(BorderSide::Top));
}

TEST(ResultGridTest, BorderColourStaysInForceUntilChanged) {
    ResultGrid grid(3, 1);
    grid.setBorders(GridBlock::cell(1, 1), BorderMode::Grid);
    EXPECT_FALSE(grid.borders(1, 1).colour(BorderSide::Top));

    const Rgb lightBlue{136, 196, 255};
    grid.setBorderColour(lightBlue);
    grid.setBorders(GridBlock::cell(2, 1), BorderMode::Grid);
    grid.setBorders(GridBlock::cell(3, 1), BorderMode::Bottom);
    EXPECT_EQ(grid.borders(2, 1).colour(BorderSide::Left), lightBlue);
    EXPECT_EQ(grid.borders(3, 1).colour(BorderSide::Bottom), lightBlue);
    EXPECT_FALSE(grid.borders(3, 1).colour(BorderSide::Top));

    // A coloured side over a default-coloured grid changes that side alone.
    grid.setBorderColour(kRed);
    grid.setBorders(GridBlock::cell(1, 1), BorderMode::Left);
    EXPECT_EQ(grid.borders(1, 1).colour(BorderSide::Left), kRed);
    EXPECT_FALSE(grid.borders(1, 1).colour(BorderSide::Right));
    EXPECT_EQ(grid.borders(1, 1).sides, 0x0F);
}

TEST(ResultGridTest, ResizingKeepsCellsInsideAndForgetsCellsCutOff) {
    ResultGrid grid(3, 3);
    grid.setText(2, 2, "keep");
    grid.setText(3, 3, "drop");
    grid.setBackground(GridBlock::cell(3, 1), kRed);
    grid.setColumnCount(2);
    grid.setColumnCount(4);
    grid.setRowCount(2);
    grid.setRowCount(3);
    EXPECT_EQ(grid.text(2, 2), "keep");
    EXPECT_EQ(grid.text(3, 3), "");
    EXPECT_FALSE(grid.background(3, 1));
    grid.setRowCount(-5);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.text(2, 2), "");
}

TEST(ResultGridTest, TextsAndNumbersShareOneStore) {
    ResultGrid grid(3, 1);
    grid.setText(1, 1, "●");
    grid.setText(2, 1, "●");
    grid.setNumber(3, 1, -12);
    EXPECT_EQ(grid.text(1, 1), "●");
    EXPECT_EQ(grid.text(1, 1).data(), grid.text(2, 1).data());
    EXPECT_EQ(grid.text(3, 1), "-12");
    grid.setText(1, 1, "");
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.text(2, 1), "●");
    for (long long n : {0LL, 7LL, 32767LL, 32768LL, 1LL << 40}) { // small numbers are kept by value
        grid.setText(2, 1, std::to_string(n));
        grid.setNumber(3, 1, n);
        EXPECT_EQ(grid.text(3, 1).data(), grid.text(2, 1).data());
    }
}

// A long table writes hundreds of thousands of texts; numbers are found by value, other texts by content.
TEST(ResultGridTest, ManyDistinctTextsAndNumbersReadBackExactly) {
    ResultGrid grid(3, 40000);
    for (int row = 1; row <= 40000; ++row) {
        grid.setNumber(1, row, row - 100); // from below to above the values kept by number
        grid.setText(2, row, std::to_string(row) + "回前");
    }
    grid.setText(3, 1, "7");
    for (int row = 1; row <= 40000; ++row)
        ASSERT_EQ(std::string(grid.text(1, row)) + "," + std::string(grid.text(2, row)),
                  std::to_string(row - 100) + "," + std::to_string(row) + "回前");
    EXPECT_EQ(grid.text(3, 1).data(), grid.text(1, 107).data());
}

// One row of six cells: each text with its alignment, and the owner expected in every column ('-': none). A
// text's span is the columns it owns.
struct RunOnCase {
    const char* name;
    std::vector<std::tuple<int, std::string_view, HorizontalAlignment>> texts;
    std::string_view owners;
};

constexpr TextCover cover(int owner, int first, int last) {
    return TextCover{owner, {first, last}};
}
constexpr auto L = HorizontalAlignment::Left;
constexpr auto C = HorizontalAlignment::Center;
constexpr auto R = HorizontalAlignment::Right;

TEST(ResultGridTest, RunOnTextCoversTheEmptyCellsItsAlignmentAllows) {
    const RunOnCase cases[] = {
        {"left runs right", {{2, "title", L}}, "-22222"},
        {"right runs left", {{5, "title", R}}, "55555-"},
        {"centre runs both ways", {{3, "t", C}}, "333333"},
        {"a neighbour blocks", {{2, "  title", L}, {4, "x", L}}, "-22444"},
        {"the left text takes a shared gap", {{1, "a", C}, {4, "b", C}}, "111444"},
        {"unless it is right-aligned", {{2, "a", R}, {5, "b", C}}, "225555"},
        {"facing away, nobody takes the gap", {{2, "a", R}, {5, "b", L}}, "22--55"},
        {"texts at the row's ends cannot run off it", {{1, "a", R}, {6, "b", L}}, "1----6"},
        {"a text of blanks still blocks", {{1, "abc  ", L}, {4, " ", L}}, "111444"},
    };
    for (const RunOnCase& c : cases) {
        ResultGrid grid(6, 2);
        grid.setTextRunsOn(true);
        for (const auto& [column, text, alignment] : c.texts) {
            grid.setText(column, 1, text);
            grid.setHorizontalAlignment(GridBlock::cell(column, 1), alignment);
        }
        for (int column = 1; column <= 6; ++column) {
            const char owner = c.owners[std::size_t(column - 1)];
            const TextCover expected = owner == '-' ? TextCover{}
                                                    : cover(owner - '0', int(c.owners.find(owner)) + 1,
                                                            int(c.owners.rfind(owner)) + 1);
            EXPECT_EQ(grid.textCover(column, 1), expected) << c.name << ", column " << column;
            EXPECT_TRUE(grid.textCover(column, 2).empty()) << c.name << ", column " << column;
        }
        EXPECT_TRUE(grid.textCover(7, 1).empty());
    }
}

TEST(ResultGridTest, RunOnFollowsEveryChange) {
    ResultGrid grid(6, 1);
    grid.setText(2, 1, "title");
    EXPECT_TRUE(grid.textCover(3, 1).empty()); // off until the table allows it
    EXPECT_EQ(grid.textCover(2, 1), cover(2, 2, 2));

    grid.setTextRunsOn(true);
    EXPECT_EQ(grid.textCover(6, 1), cover(2, 2, 6));
    grid.setText(5, 1, "x");
    EXPECT_EQ(grid.textCover(3, 1), cover(2, 2, 4));
    EXPECT_EQ(grid.textCover(6, 1), cover(5, 5, 6));
    grid.setHorizontalAlignment(GridBlock::cell(2, 1), HorizontalAlignment::Right);
    grid.setHorizontalAlignment(GridBlock::cell(5, 1), HorizontalAlignment::Center);
    EXPECT_EQ(grid.textCover(1, 1), cover(2, 1, 2));
    EXPECT_EQ(grid.textCover(3, 1), cover(5, 3, 6));
    grid.setText(2, 1, "");
    EXPECT_EQ(grid.textCover(1, 1), cover(5, 1, 6));
    grid.setText(9, 1, "outside");
    grid.setColumnCount(8);
    EXPECT_EQ(grid.textCover(8, 1), cover(5, 1, 8));
    grid.setTextRunsOn(false);
    EXPECT_TRUE(grid.textCover(8, 1).empty());
}

TEST(ResultGridTest, CurrentCellAndStaticCells) {
    ResultGrid grid(3, 3);
    EXPECT_FALSE(grid.isStaticText(1, 1));
    grid.setStaticText({1, 2, GridBlock::kAll, GridBlock::kAll});
    EXPECT_TRUE(grid.isStaticText(2, 3));
    EXPECT_FALSE(grid.isStaticText(3, 3));
    grid.setCurrentCell(2, 2);
    grid.setCurrentCell(0, 0);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_EQ(grid.currentRow(), 0);
}

} // namespace
} // namespace kazutama
