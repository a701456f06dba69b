// Hostile settings files read by the real program: every one gives a prediction, the one a clean file with
// the options that could be read gives, and never a crash or a message.

#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::TempDir;
using test::writeFile;

const std::string kAllOff;
const std::string kSecondOn = "間隔分析Opt=True\r\n";

TEST(SettingsFaultTest, AnySettingsFileGivesThePredictionOfWhatCouldBeRead) {
    TempDir dir;
    ASSERT_EQ(test::runCli(dir.path(), std::string("import h.mdb ") + KAZUTAMA_SAMPLE_HISTORY).status, 0);
    const struct {
        const char* name;
        std::string bytes; // "" with `directory`: a folder in the file's place
        const std::string& readAs;
        bool directory = false;
    } cases[] = {
        {"empty", "", kAllOff},
        {"random bytes", "\x93\xfa\x00\xff\xfe\x01\r\r\n==\xe3\x81", kAllOff},
        {"a value of 60,000 ones", "頻度分析Opt=" + std::string(60'000, '1') + "\r\n" + kSecondOn, kSecondOn},
        {"a line of 8 MB", std::string(8 << 20, '=') + "\n" + kSecondOn, kSecondOn},
        {"a bad byte in one line", "頻度分析Opt=\xff\xfeTrue\n" + kSecondOn, kSecondOn},
        {"NUL bytes", std::string("頻度分析Opt=T\0rue\n", sizeof("頻度分析Opt=T\0rue\n") - 1) + kSecondOn,
         kSecondOn},
        {"the same key twice", "間隔分析Opt=False\n間隔分析Opt=True\n", kSecondOn},
        {"a folder", "", kAllOff, true},
    };
    writeFile(dir / "clean-off.ini", kAllOff);
    writeFile(dir / "clean-second.ini", kSecondOn);
    const std::string expectedOff = test::runCli(dir.path(), "predict h.mdb --ini clean-off.ini").out;
    const std::string expectedSecond = test::runCli(dir.path(), "predict h.mdb --ini clean-second.ini").out;
    ASSERT_NE(expectedOff, expectedSecond);

    for (const auto& c : cases) {
        std::filesystem::remove_all(dir / "Kazutama.ini");
        if (c.directory)
            std::filesystem::create_directory(dir / "Kazutama.ini");
        else
            writeFile(dir / "Kazutama.ini", c.bytes);
        const test::CliRun run = test::runCli(dir.path(), "predict h.mdb");
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.err.substr(0, 200);
        EXPECT_EQ(run.err, "") << c.name;
        EXPECT_EQ(run.out, &c.readAs == &kAllOff ? expectedOff : expectedSecond) << c.name;
    }
}

} // namespace
} // namespace kazutama
