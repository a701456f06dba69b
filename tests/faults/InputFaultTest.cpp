// Hostile history files: huge fields, huge files, control bytes, invalid bytes. Each is refused with a
// message of one short line that names the line and quotes at most a short, visible prefix of the input.

#include "common/QuotedInput.h"
#include "store/HistoryImport.h"
#include "store/ImportText.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::TempDir;

constexpr std::string_view kHeader =
    "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n";

TEST(InputFaultTest, QuotedInputIsShortVisibleAndValidText) {
    const struct {
        std::string input;
        std::string quoted;
    } cases[] = {
        {"12", "「12」"},
        {std::string("1\0"
                     "2",
                     3),
         "「1␀2」"},
        {"\t\x7f", "「␉␡」"},
        {"\xff\xfe"
         "1",
         "「��1」"},
        {std::string(30, 'x'), "「" + std::string(20, 'x') + "…」"},
        {"第一二三四五六七八九十一二三四五六七八九十一", "「第一二三四五六七八九十一二三四五六七八九…」"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quoteInput(c.input), c.quoted);
}

TEST(InputFaultTest, QuotedPathsKeepTheFileNameAndAsMuchOfTheFolderAsFits) {
    const struct {
        std::string path;
        std::string quoted;
    } cases[] = {
        {"/home/taro/Kazutama.mdb", "「/home/taro/Kazutama.mdb」"},
        {"Kazutama.ini", "「Kazutama.ini」"},
        {"/" + std::string(5000, 'd') + "/data/Kazutama.mdb", "「…/data/Kazutama.mdb」"},
        {"/a/" + std::string(70, 'f') + ".csv", "「" + std::string(60, 'f') + "…」"},
        {"/a/b\nc/x.csv", "「/a/b␊c/x.csv」"},
        {"/a/\x01/x.csv", "「/a/␁/x.csv」"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotePath(c.path), c.quoted) << c.path.size();
}

TEST(InputFaultTest, HostileFilesAreRefusedWithAShortMessageNamingTheLine) {
    const struct {
        const char* name;
        std::string bytes;
        const char* expected; // a part of the message
    } cases[] = {
        {"a 10 MB field", std::string(kHeader) + "1," + std::string(10 << 20, '7') + ",2,3,4,5,6,7,8,9\n",
         "2行目: 行が長すぎます"},
        {"a NUL byte",
         std::string(kHeader) + "1," +
             std::string("2\0"
                         "3",
                         3) +
             ",4,5,6,7,8,9,10,11\n",
         "第1数字「2␀3」は"},
        {"a long bad number", std::string(kHeader) + "1," + std::string(500, '9') + ",2,3,4,5,6,7,8,9\n",
         "第1数字「99999999999999999999…」は"},
        {"another tool's heading with a huge bad number",
         "round,numbers,bonus\n1,1 2 3 4 5 6 " + std::string(3000, '8') + ",8 9\n", "第7数字「8888"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto imported = parseHistoryImport(c.bytes);
        ASSERT_FALSE(imported);
        const std::string& message = imported.error().message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << message.substr(0, 300);
        EXPECT_LT(message.size(), 300u);
        EXPECT_EQ(message.find('\0'), std::string::npos);
    }
}

TEST(InputFaultTest, AFileFarLargerThanAnyHistoryIsRefusedUnread) {
    TempDir dir;
    std::string line = "1,1,2,3,4,5,6,7,8,9\n";
    std::string big(kHeader);
    while (big.size() <= kazutama::importtext::kMaxFileBytes)
        big += line;
    test::writeFile(dir / "big.csv", big);
    const test::CliRun run = test::runCli(dir.path(), "import h.mdb big.csv");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("は大きすぎます"), std::string::npos) << run.err;
    EXPECT_LT(run.err.size(), 400u);
    EXPECT_FALSE(std::filesystem::exists(dir / "h.mdb"));
}

} // namespace
} // namespace kazutama
