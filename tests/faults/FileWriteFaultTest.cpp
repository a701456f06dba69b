// Files the program writes whole (an exported history, the settings file) where the user keeps odd
// things: a symbolic link, a FIFO, a device, a read-only file, another user's file, a file named like our
// temporary.

#include "common/FileWrite.h"
#include "common/QuotedInput.h"
#include "common/TextEncoding.h"
#include "settings/SettingsFile.h"
#include "support/ChildProcess.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RunAs;
using test::TempDir;
using test::writeFile;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// What a FIFO opened without waiting holds now; closes it.
std::string drain(int fd) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, std::size_t(n));
    ::close(fd);
    return bytes;
}

// A file's kind, mode, owner and (for a regular file) content, or `content` in its place; a symbolic link
// and then what it points at.
std::string describe(const fs::path& path, const std::string* content = nullptr) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return "missing";
    std::string text = std::to_string(info.st_mode & S_IFMT) + " " + std::to_string(info.st_mode & 07777) +
                       " " + std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid);
    if (S_ISLNK(info.st_mode))
        return text + " -> " + describe(fs::canonical(path), content);
    if (S_ISREG(info.st_mode))
        text += " " + (content ? *content : readFile(path));
    return text;
}

fs::path made(const fs::path& path, mode_t mode, uid_t uid = test::userId(), gid_t gid = test::userGroup()) {
    EXPECT_EQ(::chown(path.c_str(), uid, gid), 0) << path;
    EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;
    return path;
}

fs::path regular(const fs::path& path, mode_t mode, uid_t uid = test::userId(),
                 gid_t gid = test::userGroup()) {
    writeFile(path, "old");
    return made(path, mode, uid, gid);
}

fs::path fifo(const fs::path& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return made(path, 0600);
}

fs::path socketAt(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    return made(path, 0600);
}

// An export (kazutama-cli export, --export, a window's save command) and the settings file written at exit.
TEST(FileWriteFaultTest, EachKindOfTargetIsWrittenOrRefusedAsCpWould) {
    enum Writer { Export, Settings };
    const std::string denied = "を書き込めませんでした（アクセスする権限がありません）",
                      readOnly = "は読み取り専用のため、変更したオプションを保存しませんでした";
    const struct {
        const char* name;
        RunAs as;       // Self is root in CI; User is nobody then
        bool needsRoot; // another user's file, or a right only root has
        Writer writer;
        std::function<fs::path(const fs::path&)> make; // the target, in a folder of the user's
        bool read = false;                             // a reader holds the FIFO open
        std::string refusal = {};                      // the message after the file's name; empty: written
    } cases[] = {
        {"a 0444 file, as its owner", RunAs::User, false, Export,
         [](const fs::path& f) { return regular(f / "a.csv", 0444); }, false, denied},
        {"another user's 0644 file", RunAs::User, true, Export,
         [](const fs::path& f) { return regular(f / "a.csv", 0644, 0, 0); }, false, denied},
        {"a 0444 file, as root", RunAs::Self, true, Export,
         [](const fs::path& f) { return regular(f / "a.csv", 0444); }},
        {"another user's file the group may write", RunAs::User, true, Export,
         [](const fs::path& f) { return regular(f / "a.csv", 0664, 0, test::kNoGroup); }},
        {"settings without write permission", RunAs::User, false, Settings,
         [](const fs::path& f) { return regular(f / "Kazutama.ini", 0444); }, false, readOnly},
        {"settings without write permission, as root", RunAs::Self, true, Settings,
         [](const fs::path& f) { return regular(f / "Kazutama.ini", 0444); }, false, readOnly},
        {"another user's settings", RunAs::User, true, Settings,
         [](const fs::path& f) { return regular(f / "Kazutama.ini", 0644, 0, 0); }, false, readOnly},
        {"settings in a read-only folder", RunAs::User, false, Settings,
         [](const fs::path& f) {
             regular(f / "Kazutama.ini", 0644);
             made(f, 0555);
             return f / "Kazutama.ini";
         }},
        {"settings behind a symbolic link", RunAs::User, false, Settings,
         [](const fs::path& f) {
             fs::create_symlink("a.ini", f / "Kazutama.ini");
             regular(f / "a.ini", 0640);
             return f / "Kazutama.ini";
         }},
        {"a FIFO nobody reads", RunAs::User, false, Export,
         [](const fs::path& f) { return fifo(f / "pipe"); }, false,
         "を書き込めませんでした（名前付きパイプを読み出しているプログラムがありません）"},
        {"a FIFO being read", RunAs::User, false, Export, [](const fs::path& f) { return fifo(f / "pipe"); },
         true},
        {"a FIFO being read, as the settings", RunAs::User, false, Settings,
         [](const fs::path& f) { return fifo(f / "pipe"); }, true,
         "を書き込めませんでした（通常のファイルではなく名前付きパイプです）"},
        {"a full device", RunAs::Self, false, Export, [](const fs::path&) { return fs::path("/dev/full"); },
         false, "を書き込めませんでした（ディスクの空き容量が足りません）"},
        {"the null device", RunAs::User, false, Export,
         [](const fs::path&) { return fs::path("/dev/null"); }},
        {"a folder", RunAs::User, false, Export,
         [](const fs::path& f) {
             fs::create_directory(f / "a.csv");
             return made(f / "a.csv", 0755);
         },
         false, "を書き込めませんでした（ファイルではなくフォルダです）"},
        {"a socket", RunAs::User, false, Export, [](const fs::path& f) { return socketAt(f / "sock"); },
         false, "を書き込めませんでした（通常のファイルではなくソケットです）"},
    };
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    AnalysisOptions options;
    options[0] = true;
    const std::string bytes[] = {"new", encodeForLocale(formatInitFile(options))};
    int index = 0;
    for (const auto& c : cases) {
        if (c.needsRoot && !test::runningAsRoot())
            continue;
        const fs::path folder = dir / std::to_string(index++);
        fs::create_directory(folder);
        made(folder, 0755);
        const fs::path path = c.make(folder);
        const int reader = c.read ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const std::string before = describe(path), written = describe(path, &bytes[c.writer]);

        const std::string result = test::runInChild(
            [&] {
                const Status status = c.writer == Export ? writeWholeFile(path, bytes[Export], "CSVファイル")
                                                         : WriteInitFile(options, path);
                return status ? std::string("written") : status.error().message;
            },
            c.as);
        if (c.refusal.empty()) {
            EXPECT_EQ(result, "written") << c.name;
            EXPECT_EQ(describe(path), written) << c.name;
        } else {
            EXPECT_EQ(result, (c.writer == Export ? "CSVファイル" : "設定ファイル") + quotePath(path) +
                                  c.refusal + "。")
                << c.name;
            EXPECT_EQ(describe(path), before) << c.name;
        }
        if (reader >= 0) {
            EXPECT_EQ(drain(reader), c.refusal.empty() ? bytes[c.writer] : "") << c.name;
        }
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".kazutama-")) << c.name;
        fs::permissions(folder, fs::perms(0755));
    }
}

TEST(FileWriteFaultTest, ReplacesRegularFilesWholeAndWritesEverythingElseInPlace) {
    TempDir dir;
    // A symbolic link keeps pointing at its target, which gets the new content.
    writeFile(dir / "target.csv", "old");
    fs::create_symlink("target.csv", dir / "link.csv");
    ASSERT_TRUE(writeWholeFile(dir / "link.csv", "new", "CSVファイル"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readFile(dir / "target.csv"), "new");

    // A file keeps its permissions; a file of the user's named like a temporary is not touched.
    writeFile(dir / "settings.ini", "old");
    fs::permissions(dir / "settings.ini", fs::perms(0640));
    writeFile(dir / "settings.ini.tmp", "mine");
    ASSERT_TRUE(writeWholeFile(dir / "settings.ini", "new", "設定ファイル"));
    EXPECT_EQ(modeOf(dir / "settings.ini"), 0640u);
    EXPECT_EQ(readFile(dir / "settings.ini"), "new");
    EXPECT_EQ(readFile(dir / "settings.ini.tmp"), "mine");

    // A FIFO is written to, not replaced by a plain file.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const int reader = ::open((dir / "pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(writeWholeFile(dir / "pipe", "through the pipe", "CSVファイル"));
    EXPECT_EQ(drain(reader), "through the pipe");
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
    fs::permissions(dir / "Kazutama.ini", fs::perms(0640));
    AnalysisOptions options;
    options[3] = true;
    ASSERT_TRUE(WriteInitFile(options, dir / "Kazutama.ini"));
    EXPECT_EQ(modeOf(dir / "Kazutama.ini"), 0640u);
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
