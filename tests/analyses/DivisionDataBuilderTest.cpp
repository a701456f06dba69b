#include "analyses/DivisionDataBuilder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kazutama {
namespace {

// The first column of each group, by group count; the last group ends at number 37 (column 38).
const std::map<int, std::vector<int>> kGroupColumns = {
    {6, {2, 8, 14, 20, 26, 32}},
    {7, {2, 7, 12, 17, 22, 27, 32}},
    {9, {2, 6, 10, 14, 18, 22, 26, 30, 34}},
};

constexpr Rgb kGrey{210, 210, 210};
constexpr Rgb kMain{62, 158, 255};
constexpr Rgb kBonus1{255, 128, 192};
constexpr Rgb kBonus2{0, 255, 170};

// The letters of the groups greyed across all their columns in a row; "?" for a group greyed in part.
std::string greyGroups(const ResultGrid& grid, int groups, int row) {
    const std::vector<int>& first = kGroupColumns.at(groups);
    std::string letters;
    for (int group = 0; group < groups; ++group) {
        const int last = group + 1 < groups ? first[group + 1] - 1 : 38;
        int grey = 0;
        for (int column = first[group]; column <= last; ++column)
            grey += grid.background(column, row) == kGrey;
        if (grey > 0)
            letters += grey == last - first[group] + 1 ? char('A' + group) : '?';
    }
    return letters;
}

TEST(DivisionDataBuilderTest, MarksEachDrawAndGreysTheGroupsItMissed) {
    struct Case {
        const char* name;
        int groups;
        DrawHistory history;
        std::vector<std::string> rows; // below the header: draw number on the left and right, grey groups
        std::vector<std::pair<int, Rgb>> firstRowDots =
            {}; // column and colour of every mark of the first row
    };
    const Case cases[] = {
        {"seven groups: 1..7 with bonus numbers 8 and 9 hit only A and B",
         7,
         test::makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}),
         {"1 1 CDEFG"},
         {{2, kMain},
          {3, kMain},
          {4, kMain},
          {5, kMain},
          {6, kMain},
          {7, kMain},
          {8, kMain},
          {9, kBonus1},
          {10, kBonus2}}},
        {"nine groups: 33 and 37 fall into group I",
         9,
         test::makeHistory(
             {{1, {1, 5, 9, 13, 17, 21, 25, 33, 37}}, {2, {37, 37, 37, 37, 37, 37, 37, 33, 33}}}),
         {"1 1 H", "2 2 ABCDEFGH"},
         {{2, kMain},
          {6, kMain},
          {10, kMain},
          {14, kMain},
          {18, kMain},
          {22, kMain},
          {26, kMain},
          {34, kBonus1},
          {38, kBonus2}}},
        {"six groups: 31 and 37 fall into the last group, a bonus number alone keeps its group white",
         6,
         test::makeHistory({{1, {31, 37, 31, 37, 31, 37, 31, 1, 20}}, {2, {1, 2, 3, 4, 5, 6, 7, 8, 20}}}),
         {"1 1 BCE", "2 2 CEF"}},
        {"seven groups: 31 and 37 fall into the last group",
         7,
         test::makeHistory({{1, {31, 32, 33, 34, 35, 36, 37, 31, 37}}}),
         {"1 1 ABCDEF"}},
        {"a number drawn twice is coloured by its later position",
         9,
         test::makeHistory({{1, {5, 6, 7, 8, 9, 10, 11, 12, 5}}}),
         {"1 1 ADEFGHI"},
         {{6, kBonus2},
          {7, kMain},
          {8, kMain},
          {9, kMain},
          {10, kMain},
          {11, kMain},
          {12, kMain},
          {13, kBonus1}}},
        {"six groups, empty history", 6, DrawHistory(), {}},
        {"seven groups, empty history", 7, DrawHistory(), {}},
        {"nine groups, empty history", 9, DrawHistory(), {}},
        {"incomplete draws and gaps leave the empty rows at the bottom",
         6,
         test::makeHistory({{1, {0, 2, 3, 4, 5, 6, 7, 8, 9}},
                            {2, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                            {5, {13, 14, 15, 16, 17, 18, 19, 20, 21}},
                            {6, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
                            {9, {25, 26, 27, 28, 29, 30, 31, 32, 33}},
                            {10, {0, 0, 0, 0, 0, 0, 0, 0, 0}}}),
         {"2 2 CDEF", "5 5 ABEF", "9 9 ABCD", "  ", "  ", "  ", "  ", "  ", "  "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultGrid grid = buildDivisionData(Snapshot(c.history), c.groups);
        ASSERT_EQ(grid.columnCount(), 39);
        ASSERT_EQ(grid.rowCount(), int(c.rows.size()) + 3);
        for (int row = 4; row <= grid.rowCount(); ++row)
            EXPECT_EQ(std::string(grid.text(1, row)) + " " + std::string(grid.text(39, row)) + " " +
                          greyGroups(grid, c.groups, row),
                      c.rows[row - 4]);
        if (c.firstRowDots.empty())
            continue;
        std::vector<std::pair<int, Rgb>> dots;
        for (int column = 2; column <= 38; ++column)
            if (grid.text(column, 4) == "●")
                dots.emplace_back(column, grid.foreground(column, 4).value_or(Rgb{}));
        EXPECT_EQ(dots, c.firstRowDots);
    }
}

TEST(DivisionDataBuilderTest, AGroupCountOutsideTheFamilyGivesAnEmptyTable) {
    const DrawHistory history = test::makeHistory({{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
    for (int groups : {0, 4, 8, 10, -1}) {
        const ResultGrid grid = buildDivisionData(Snapshot(history), groups);
        EXPECT_EQ(grid.rowCount(), 0) << groups;
    }
}

} // namespace
} // namespace kazutama
