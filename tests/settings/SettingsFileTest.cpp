#include "settings/SettingsFile.h"

#include "support/TestSupport.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iconv.h>
#include <locale.h>
#include <optional>

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

std::string inEncoding(const std::string& utf8, const char* codeset) {
    iconv_t cd = iconv_open(codeset, "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size(), outLeft = out.size();
    char* outPtr = out.data();
    iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::string toShiftJis(const std::string& utf8) {
    return inEncoding(utf8, "CP932");
}

// A locale by language and encoding. One the system lacks is made with localedef in `dir`, which needs the
// locale sources (Debian's "locales" package) but no root.
class TestLocale {
public:
    TestLocale(const TempDir& dir, const std::string& language, const std::string& charmap)
        : m_name(language + "." + charmap) {
        m_locale = newlocale(LC_CTYPE_MASK, m_name.c_str(), locale_t(0));
        if (m_locale)
            return;
        // localedef exits non-zero on mere warnings; only opening the locale tells whether it was made.
        const std::string command = "localedef -i " + language + " -f " + charmap + " '" +
                                    (dir / m_name).string() + "' >/dev/null 2>&1";
        (void)std::system(command.c_str());
        const char* previous = std::getenv("LOCPATH");
        const std::string saved = previous ? previous : "";
        setenv("LOCPATH", dir.path().c_str(), 1);
        m_locale = newlocale(LC_CTYPE_MASK, m_name.c_str(), locale_t(0));
        previous ? setenv("LOCPATH", saved.c_str(), 1) : unsetenv("LOCPATH");
    }
    ~TestLocale() {
        if (m_locale)
            freelocale(m_locale);
    }
    TestLocale(const TestLocale&) = delete;
    TestLocale& operator=(const TestLocale&) = delete;

    locale_t handle() const { return m_locale; }
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    locale_t m_locale = locale_t(0);
};

// This thread runs in `locale` while the object lives.
class UseLocale {
public:
    explicit UseLocale(const TestLocale& locale) : m_previous(uselocale(locale.handle())) {}
    ~UseLocale() { uselocale(m_previous); }
    UseLocale(const UseLocale&) = delete;
    UseLocale& operator=(const UseLocale&) = delete;

private:
    locale_t m_previous;
};

TEST(SettingsFileTest, MissingFileLeavesEveryOptionFalse) {
    TempDir dir;
    EXPECT_EQ(ReadInitFile(dir / "nothing.ini"), AnalysisOptions());
}

TEST(SettingsFileTest, KeysInAnyOrderAndMissingKeysStayFalse) {
    TempDir dir;
    const AnalysisOptions options = readText(
        dir, "下一桁連続出現回数分析Opt=True\r\n下一桁出現傾向分析Opt=true\r\n頻度分析Opt=False\r\n");
    EXPECT_TRUE(options[kLastDigit]);
    EXPECT_TRUE(options[kLastDigitRun]);
    for (size_t i = 0; i < kLastDigit; ++i)
        EXPECT_FALSE(options[i]) << kAnalysisOptionKeys[i];
}

TEST(SettingsFileTest, KeyMustMatchExactly) {
    TempDir dir;
    const AnalysisOptions options =
        readText(dir, "間隔分析Opt =True\r\n 頻度分析Opt=True\r\n間隔分析opt=True\r\n");
    EXPECT_EQ(options, AnalysisOptions());
}

TEST(SettingsFileTest, SecondEqualsSignAndTextAfterItAreIgnored) {
    TempDir dir;
    EXPECT_TRUE(readText(dir, "間隔分析Opt=True=more text\r\n")[kInterval]);
}

TEST(SettingsFileTest, ValuesInAnyCaseAndNumbers) {
    const struct {
        std::string value;
        std::optional<bool> expected; // nullopt: not a Boolean, the option keeps its earlier value
    } cases[] = {
        {"TRUE", true}, {"tRuE", true}, {"false", false},   {"FaLsE", false}, {"1", true},    {"-1", true},
        {"+0", false},  {"0", false},   {"2.5", true},      {"0.0", false},   {".5", true},   {"1.", true},
        {"1e5", true},  {"0E9", false}, {"0.001e-3", true}, {" 7 ", true},    {" 0 ", false}, {"", {}},
        {"yes", {}},    {".", {}},      {"e5", {}},         {"1e", {}},       {"--1", {}},    {"1 2", {}},
        {"True ", {}},  {"\t1", {}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        // An earlier line sets the opposite, so a value that is no Boolean shows as the earlier one.
        for (const bool before : {false, true}) {
            const AnalysisOptions options =
                readText(dir, std::string("頻度分析Opt=") + (before ? "True" : "False") +
                                  "\r\n頻度分析Opt=" + c.value + "\r\n");
            EXPECT_EQ(options[0], c.expected.value_or(before)) << "\"" << c.value << "\"";
        }
    }
}

TEST(SettingsFileTest, MalformedLinesAreSkippedAndLaterLinesWin) {
    TempDir dir;
    const AnalysisOptions options = readText(dir,
                                             "\r\n"
                                             "頻度分析Opt\r\n"      // no "="
                                             "間隔分析Opt=yes\r\n"  // not a Boolean
                                             "出現回数分析Opt=\r\n" // empty value
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

TEST(SettingsFileTest, OverlongLinesAreSkippedWithoutHarmToTheOthers) {
    TempDir dir;
    const std::string ones(100'000, '1');
    const AnalysisOptions options = readText(dir,
                                             "頻度分析Opt=" + ones +
                                                 "\r\n" // too long to be read whole
                                                 "間隔分析Opt=True=" +
                                                 ones + "\r\n" // the rest after "=" is ignored
                                                 + ones +
                                                 "出現回数分析Opt=True\r\n" // a key buried in noise
                                                 "バラツキ分析Opt=True\r\n");
    EXPECT_FALSE(options[0]);
    EXPECT_TRUE(options[kInterval]);
    EXPECT_FALSE(options[2]);
    EXPECT_TRUE(options[3]);
}

TEST(SettingsFileTest, ABadByteLosesOnlyTheLineItStandsIn) {
    AnalysisOptions all;
    all.reflect.fill(true);
    std::string text = formatInitFile(all);
    // Cut the third character of the fourth line ("バラツキ分析Opt") in half.
    size_t fourth = 0;
    for (int i = 0; i < 3; ++i)
        fourth = text.find('\n', fourth) + 1;
    text.erase(fourth + 7, 1);
    TempDir dir;
    AnalysisOptions expected = all;
    expected[3] = false;
    EXPECT_EQ(readText(dir, text), expected);
    EXPECT_EQ(readText(dir, toShiftJis(formatInitFile(all)) + "\x81\r\n"),
              all); // a lead byte without its pair
}

TEST(SettingsFileTest, WritesTwelveLinesInFixedOrderWithCrLf) {
    TempDir dir;
    AnalysisOptions options;
    options[kInterval] = true;
    options[kLastDigitRun] = true;
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(readFile(dir / "Kazutama.ini"), "頻度分析Opt=False\r\n"
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
    const AnalysisOptions options =
        readText(dir, "下一桁連続出現回数分析Opt=True\r\n下一桁出現傾向分析Opt=True\r\n");
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(readFile(dir / "Kazutama.ini"), formatInitFile(options));
    EXPECT_EQ(ReadInitFile(dir / "Kazutama.ini"), options);
    EXPECT_TRUE(readFile(dir / "Kazutama.ini").starts_with("頻度分析Opt=False\r\n"));
}

TEST(SettingsFileTest, WhatIsWrittenInAnyLocaleIsReadBack) {
    TempDir dir;
    const struct {
        TestLocale locale;
        const char* fileEncoding;
    } cases[] = {
        {{dir, "ja_JP", "EUC-JP"}, "EUC-JP"},    // Japanese as older Unix systems keep it
        {{dir, "en_US", "ISO-8859-1"}, "UTF-8"}, // cannot hold the keys
    };
    for (const auto& c : cases)
        if (!c.locale.handle())
            GTEST_SKIP() << "locale " << c.locale.name() << " is missing and localedef could not make it "
                         << "(are the locale sources of Debian's \"locales\" package installed?)";

    AnalysisOptions options;
    options[kInterval] = options[8] = options[kLastDigitRun] = true;
    for (const auto& c : cases) {
        const auto file = dir / (c.locale.name() + ".ini");
        {
            UseLocale use(c.locale);
            ASSERT_TRUE(WriteInitFile(options, file)) << c.locale.name();
            EXPECT_EQ(readFile(file), inEncoding(formatInitFile(options), c.fileEncoding)) << c.locale.name();
            EXPECT_EQ(ReadInitFile(file), options) << c.locale.name();
        }
        // The file still reads once the user has moved to another locale.
        EXPECT_EQ(ReadInitFile(file), options) << c.locale.name();
    }
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
