// Files the program writes whole (an exported history, the settings file) where the user keeps odd
// things: a symbolic link, a FIFO, a device, a read-only file, a file named like our temporary.

#include "common/FileWrite.h"
#include "settings/SettingsFile.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(FileWriteFaultTest, ReplacesRegularFilesWholeAndWritesEverythingElseInPlace) {
    TempDir dir;
    // A symbolic link keeps pointing at its target, which gets the new content.
    writeFile(dir / "target.csv", "old");
    fs::create_symlink("target.csv", dir / "link.csv");
    ASSERT_TRUE(writeWholeFile(dir / "link.csv", "new", "CSVファイル"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readFile(dir / "target.csv"), "new");

    // A read-only file stays read-only; a file of the user's named like a temporary is not touched.
    writeFile(dir / "settings.ini", "old");
    fs::permissions(dir / "settings.ini", fs::perms(0444));
    writeFile(dir / "settings.ini.tmp", "mine");
    ASSERT_TRUE(writeWholeFile(dir / "settings.ini", "new", "設定ファイル"));
    EXPECT_EQ(modeOf(dir / "settings.ini"), 0444u);
    EXPECT_EQ(readFile(dir / "settings.ini"), "new");
    EXPECT_EQ(readFile(dir / "settings.ini.tmp"), "mine");

    // A FIFO is written to, not replaced by a plain file.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readFile(dir / "pipe"); });
    EXPECT_TRUE(writeWholeFile(dir / "pipe", "through the pipe", "CSVファイル"));
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "pipe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // A device that refuses the bytes: reported, and still the device.
    auto full = writeWholeFile("/dev/full", "x", "CSVファイル");
    ASSERT_FALSE(full);
    EXPECT_EQ(full.error().message,
              "CSVファイル「/dev/full」を書き込めませんでした（ディスクの空き容量が足りません）。");
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));

    // Nothing of ours is left behind.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".kazutama-")) << entry.path();
}

TEST(FileWriteFaultTest, TheSettingsAndTheExportUseIt) {
    TempDir dir;
    writeFile(dir / "Kazutama.ini", "");
    fs::permissions(dir / "Kazutama.ini", fs::perms(0440));
    AnalysisOptions options;
    options[3] = true;
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(modeOf(dir / "Kazutama.ini"), 0440u);
    EXPECT_TRUE(ReadInitFile(dir / "Kazutama.ini")[3]);

    ASSERT_EQ(test::runCli(dir.path(), "init h.mdb").status, 0);
    writeFile(dir / "history.csv", "old");
    fs::create_symlink("history.csv", dir / "latest.csv");
    const test::CliRun run = test::runCli(dir.path(), "export h.mdb latest.csv");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(dir / "latest.csv"));
    EXPECT_TRUE(readFile(dir / "history.csv").starts_with("回数,第1数字"));
}

} // namespace
} // namespace kazutama
