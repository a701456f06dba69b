#include "settings/SettingsFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace kazutama {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

constexpr size_t kInterval = 1;      // "間隔分析Opt"
constexpr size_t kLastDigit = 10;    // "下一桁出現傾向分析Opt"
constexpr size_t kLastDigitRun = 11; // "下一桁連続出現回数分析Opt"

AnalysisOptions readText(const TempDir& dir, const std::string& text) {
    writeFile(dir / "Kazutama.ini", text);
    return ReadInitFile(dir / "Kazutama.ini");
}

std::string toShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size(), outLeft = out.size();
    char* outPtr = out.data();
    iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

TEST(SettingsFileTest, MissingFileLeavesEveryOptionFalse) {
    TempDir dir;
    EXPECT_EQ(ReadInitFile(dir / "nothing.ini"), AnalysisOptions());
}

TEST(SettingsFileTest, KeysInAnyOrderAndMissingKeysStayFalse) {
    TempDir dir;
    const AnalysisOptions options =
        readText(dir, "下一桁連続出現回数分析Opt=True\r\n下一桁出現傾向分析Opt=true\r\n頻度分析Opt=False\r\n");
    EXPECT_TRUE(options[kLastDigit]);
    EXPECT_TRUE(options[kLastDigitRun]);
    for (size_t i = 0; i < kLastDigit; ++i)
        EXPECT_FALSE(options[i]) << kAnalysisOptionKeys[i];
}

TEST(SettingsFileTest, KeyMustMatchExactly) {
    TempDir dir;
    const AnalysisOptions options = readText(dir, "間隔分析Opt =True\r\n 頻度分析Opt=True\r\n間隔分析opt=True\r\n");
    EXPECT_EQ(options, AnalysisOptions());
}

TEST(SettingsFileTest, SecondEqualsSignAndTextAfterItAreIgnored) {
    TempDir dir;
    EXPECT_TRUE(readText(dir, "間隔分析Opt=True=more text\r\n")[kInterval]);
}

TEST(SettingsFileTest, ValuesInAnyCaseAndNumbers) {
    TempDir dir;
    const AnalysisOptions options = readText(dir,
                                             "頻度分析Opt=TRUE\n"
                                             "間隔分析Opt=tRuE\n"
                                             "出現回数分析Opt=1\n"
                                             "バラツキ分析Opt=-1\n"
                                             "引っ張り分析Opt=0\n"
                                             "連番飛び石分析Opt=2.5\n"
                                             "数字合計分析Opt=0.0\n");
    EXPECT_TRUE(options[0]);
    EXPECT_TRUE(options[1]);
    EXPECT_TRUE(options[2]);
    EXPECT_TRUE(options[3]);
    EXPECT_FALSE(options[4]);
    EXPECT_TRUE(options[5]);
    EXPECT_FALSE(options[6]);
}

TEST(SettingsFileTest, MalformedLinesAreSkippedAndLaterLinesWin) {
    TempDir dir;
    const AnalysisOptions options = readText(dir,
                                             "\r\n"
                                             "頻度分析Opt\r\n"          // no "="
                                             "間隔分析Opt=yes\r\n"      // not a Boolean
                                             "出現回数分析Opt=\r\n"     // empty value
                                             "不明なキー=True\r\n"
                                             "バラツキ分析Opt=True\r\n"
                                             "バラツキ分析Opt=False\r\n"
                                             "引っ張り分析Opt=False\r\n"
                                             "引っ張り分析Opt=True\r\n");
    EXPECT_FALSE(options[0]);
    EXPECT_FALSE(options[1]);
    EXPECT_FALSE(options[2]);
    EXPECT_FALSE(options[3]);
    EXPECT_TRUE(options[4]);
}

TEST(SettingsFileTest, ShiftJisFileFromAJapaneseSystemIsRead) {
    TempDir dir;
    const std::string sjis = toShiftJis("数字合計分析Opt=True\r\n下一桁連続出現回数分析Opt=True\r\n");
    ASSERT_FALSE(sjis.empty());
    const AnalysisOptions options = readText(dir, sjis);
    EXPECT_TRUE(options[6]);
    EXPECT_TRUE(options[kLastDigitRun]);
}

TEST(SettingsFileTest, WritesTwelveLinesInFixedOrderWithCrLf) {
    TempDir dir;
    AnalysisOptions options;
    options[kInterval] = true;
    options[kLastDigitRun] = true;
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(readFile(dir / "Kazutama.ini"),
              "頻度分析Opt=False\r\n"
              "間隔分析Opt=True\r\n"
              "出現回数分析Opt=False\r\n"
              "バラツキ分析Opt=False\r\n"
              "引っ張り分析Opt=False\r\n"
              "連番飛び石分析Opt=False\r\n"
              "数字合計分析Opt=False\r\n"
              "組合せパターン分析Opt=False\r\n"
              "5分割傾向分析Opt=False\r\n"
              "分割データ分析Opt=False\r\n"
              "下一桁出現傾向分析Opt=False\r\n"
              "下一桁連続出現回数分析Opt=True\r\n");
}

TEST(SettingsFileTest, ReadingAFileInAnyOrderAndWritingItBackGivesTableOrder) {
    TempDir dir;
    const AnalysisOptions options = readText(dir, "下一桁連続出現回数分析Opt=True\r\n下一桁出現傾向分析Opt=True\r\n");
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(readFile(dir / "Kazutama.ini"), formatInitFile(options));
    EXPECT_EQ(ReadInitFile(dir / "Kazutama.ini"), options);
    EXPECT_TRUE(readFile(dir / "Kazutama.ini").starts_with("頻度分析Opt=False\r\n"));
}

TEST(SettingsFileTest, FailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    AnalysisOptions options;
    options[0] = true;
    auto status = WriteInitFile(options, dir / "no-such-folder" / "Kazutama.ini");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().code, ErrorCode::WriteFailed);
    EXPECT_NE(status.error().message.find("設定ファイル"), std::string::npos);

    // A folder standing where the file should be: the rename fails, nothing is left behind.
    std::filesystem::create_directory(dir / "Kazutama.ini");
    EXPECT_FALSE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Kazutama.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Kazutama.ini.tmp"));
}

} // namespace
} // namespace kazutama
