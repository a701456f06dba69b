#include "grid/DataCsv.h"

#include "analyses/ViewCatalogue.h"
#include "grid/ResultGrid.h"
#include "store/Snapshot.h"
#include "support/Histories.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kazutama {
namespace {

using Records = std::vector<std::vector<std::string>>;

DataCsv::Table tableOf(const char* view) {
    static const DrawHistory history = test::historyOf({
        DrawRecord{1, {1, 2, 3, 5, 6, 7, 8, 9, 10}},
        DrawRecord{2, {1, 11, 12, 13, 14, 15, 16, 17, 18}},
        DrawRecord{3, {2, 11, 20, 21, 30, 36, 37, 1, 5}},
    });
    return DataCsv::table(ViewCatalogue::find(view)->build(Snapshot(history)));
}

// A table of draws: a title over seven columns names each of them, numbered; the footer rows are not
// records.
TEST(DataCsvTest, DrawTableHasOneRecordPerDraw) {
    const DataCsv::Table table = tableOf("引っ張り分析");
    EXPECT_EQ(table.headings,
              (std::vector<std::string>{"回数", "本数字 1", "本数字 2", "本数字 3", "本数字 4", "本数字 5",
                                        "本数字 6", "本数字 7", "ボーナス数字1", "ボーナス数字2"}));
    EXPECT_EQ(table.records, (Records{{"1", "1", "2", "3", "5", "6", "7", "8", "9", "10"},
                                      {"2", "1", "11", "12", "13", "14", "15", "16", "17", "18"},
                                      {"3", "2", "11", "20", "21", "30", "36", "37", "1", "5"}}));
}

// The 37 numbers: a mark is 1, its absence empty; the draw numbers repeated at the right edge go.
TEST(DataCsvTest, NumberTableHasMarksAsOnesAndNoRepeatedColumn) {
    const DataCsv::Table table = tableOf("バラツキ分析");
    ASSERT_EQ(table.headings.size(), 38u);
    EXPECT_EQ(table.headings.front(), "回");
    EXPECT_EQ(table.headings[1], "数字 1");
    EXPECT_EQ(table.headings.back(), "数字 37");
    ASSERT_EQ(table.records.size(), 3u);
    const std::vector<std::string>& third = table.records[2];
    EXPECT_EQ(third[0], "3");
    for (int number = 1; number <= 37; ++number) {
        const bool drawn = number == 1 || number == 2 || number == 5 || number == 11 || number == 20 ||
                           number == 21 || number == 30 || number == 36 || number == 37;
        EXPECT_EQ(third[std::size_t(number)], drawn ? "1" : "") << number;
    }
}

// Counts lose their unit; a list of numbers stays one quoted field; the file starts with a byte order mark
// and ends its lines as spreadsheets expect.
TEST(DataCsvTest, CountTableWritesNumbersAndQuotedLists) {
    const DataCsv::Table table = tableOf("回数別出現分析");
    EXPECT_EQ(table.headings, (std::vector<std::string>{"出現", "数字"}));
    EXPECT_EQ(table.records, (Records{{"0", "4,19,22,23,24,25,26,27,28,29,31,32,33,34,35"},
                                      {"1", "3,6,7,8,9,10,12,13,14,15,16,17,18,20,21,30,36,37"},
                                      {"2", "2,5,11"},
                                      {"3", "1"}}));

    ResultGrid grid(2, 3);
    grid.setHeadings(1, 1);
    grid.setText(1, 1, "出 現");
    grid.setText(2, 1, "　数　字　");
    grid.setText(1, 2, "+7");
    grid.setText(2, 2, "12回前");
    grid.setText(1, 3, "初回");
    grid.setText(2, 3, "3,4");
    std::ostringstream out;
    DataCsv::write(out, grid);
    EXPECT_EQ(out.str(), "\xEF\xBB\xBF出現,数字\r\n7,12\r\n初回,\"3,4\"\r\n");
}

} // namespace
} // namespace kazutama
