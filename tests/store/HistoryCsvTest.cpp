#include "store/HistoryCsv.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace kazutama {
namespace {

const std::string kHeader = std::string(kHistoryCsvHeader) + "\n";

std::string errorOf(const std::string& csv) {
    auto result = parseHistoryCsv(csv);
    return result ? std::string("(accepted)") : result.error().message;
}

TEST(HistoryCsvTest, RoundTripKeepsIncompleteDraws) {
    const DrawHistory history = test::makeHistory({
        {1, {6, 7, 13, 20, 27, 34, 37, 9, 10}},
        {2, {1, 2, 3, 0, 0, 0, 0, 0, 0}},
        {5, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    });
    const std::string csv = formatHistoryCsv(history);
    EXPECT_EQ(csv, kHeader + "1,6,7,13,20,27,34,37,9,10\n2,1,2,3,,,,,,\n5,,,,,,,,,\n");
    auto parsed = parseHistoryCsv(csv);
    ASSERT_TRUE(parsed) << parsed.error().message;
    EXPECT_EQ(parsed.value(), history.records());
}

TEST(HistoryCsvTest, AcceptsBomCrLfBlankLinesQuotesAndZeroPadding) {
    const std::string csv = "\xEF\xBB\xBF" + std::string(kHistoryCsvHeader) +
                            "\r\n\r\n\"1\",06,07,13,20,27,34,37,09,10\r\n,,,,,,,,,\r\n";
    auto parsed = parseHistoryCsv(csv);
    ASSERT_TRUE(parsed) << parsed.error().message;
    ASSERT_EQ(parsed->size(), 1u);
    EXPECT_EQ(parsed->front(), (DrawRecord{1, {6, 7, 13, 20, 27, 34, 37, 9, 10}}));
}

TEST(HistoryCsvTest, AcceptsShiftJis) {
    const std::string utf8 = kHeader + "1,6,7,13,20,27,34,37,9,10\n";
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string sjis(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    char* out = sjis.data();
    size_t inLeft = utf8.size(), outLeft = sjis.size();
    ASSERT_NE(iconv(cd, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    sjis.resize(sjis.size() - outLeft);
    ASSERT_NE(sjis, utf8);
    auto parsed = parseHistoryCsv(sjis);
    ASSERT_TRUE(parsed) << parsed.error().message;
    EXPECT_EQ(parsed->size(), 1u);
}

TEST(HistoryCsvTest, BadLinesAreRejectedWithTheirLineNumber) {
    const std::string good = "1,6,7,13,20,27,34,37,9,10\n";
    EXPECT_EQ(errorOf(kHeader + good + "2,0,7,13,20,27,34,37,9,10\n"),
              "3行目: 第1数字「0」は1から37までの整数ではありません。");
    EXPECT_EQ(errorOf(kHeader + good + "2,1,7,13,20,27,34,37,9,38\n"),
              "3行目: ボーナス数字2「38」は1から37までの整数ではありません。");
    EXPECT_NE(errorOf(kHeader + "2,1,7,12.5,20,27,34,37,9,10\n").find("2行目: 第3数字「12.5」"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + good + "2,1,7,13,20,27,34,37,9,10\n" + "3,1,7,abc,20,27,34,37,9,10\n")
                  .find("4行目"),
              std::string::npos);
    EXPECT_EQ(errorOf(kHeader + "2,1,7,13,20,27,34,37,9\n"), "2行目: 項目の数が10ではありません（9個）。");
    EXPECT_NE(errorOf(kHeader + "0,1,7,13,20,27,34,37,9,10\n").find("2行目: 回数「0」"), std::string::npos);
    EXPECT_NE(errorOf(kHeader + "32761,1,7,13,20,27,34,37,9,10\n").find("2行目: 回数"), std::string::npos);
    EXPECT_NE(errorOf(kHeader + "-3,1,7,13,20,27,34,37,9,10\n").find("2行目: 回数"), std::string::npos);
    EXPECT_NE(errorOf(kHeader + good + good).find("3行目: 回数 1 は2行目と重複"), std::string::npos);
    EXPECT_NE(errorOf("1,2,3\n" + good).find("1行目: 見出し行"), std::string::npos);
    EXPECT_NE(errorOf("").find("見出し行がありません"), std::string::npos);
    EXPECT_NE(errorOf("\xFF\xFE\xFD\xFC").find("文字コード"), std::string::npos);
}

TEST(HistoryCsvTest, SplitsQuotedFields) {
    EXPECT_EQ(importtext::splitFields("a,\"b,c\",\"d\"\"e\",,"),
              (std::vector<std::string>{"a", "b,c", "d\"e", "", ""}));
}

} // namespace
} // namespace kazutama
