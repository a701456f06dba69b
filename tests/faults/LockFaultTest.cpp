// Two programs on one database: whatever lies beside the file, the lock lets a start through unless a
// running program holds the same file, by whatever name; and the temporaries of killed creations go.

#include "common/QuotedInput.h"
#include "store/DatabaseLock.h"
#include "store/DrawStore.h"
#include "store/Workspace.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <climits>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeFile;

constexpr uid_t kNobody = 65534;
int g_answer = -1; // in a child: where its answer goes

// Ends a child's work: sends `text` to the test and keeps everything the child holds until it is killed.
[[noreturn]] void answerAndStay(const std::string& text) {
    (void)!::write(g_answer, text.data(), text.size());
    ::close(g_answer);
    for (;;)
        ::pause();
}

// Another program: `body` runs in a process of its own (as the ordinary user nobody when `ordinaryUser` and
// the tests run as root), ends with answerAndStay(), and is killed with the Child.
struct Child {
    Child(const std::function<void()>& body, bool ordinaryUser = false) {
        int channel[2];
        EXPECT_EQ(::pipe(channel), 0);
        if ((pid = ::fork()) == 0) {
            g_answer = channel[1];
            if (ordinaryUser && ::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(127);
            body();
            ::_exit(0);
        }
        ::close(channel[1]);
        char buffer[4096];
        for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
            answer.append(buffer, std::size_t(n));
        ::close(channel[0]);
    }
    ~Child() { kill(); }
    void kill() {
        if (pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
        pid = -1;
    }

    pid_t pid = -1;
    std::string answer;
};

// The desktop program's start-up on `database`, kept running: answers "writable", "read-only: <reason>",
// "refused: <message>" or "failed: <message>".
void startUp(const fs::path& database) {
    auto workspace = Workspace::openOrCreate(ConnectionString::forDatabase(database));
    if (!workspace)
        answerAndStay((workspace.error().code == ErrorCode::InUse ? "refused: " : "failed: ") +
                      workspace.error().message);
    answerAndStay(workspace->isReadOnly() ? "read-only: " + workspace->readOnlyReason() : "writable");
}

std::string thisHost() {
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

enum class Holder { None, Running, Killed };

struct LockCase {
    const char* name;
    std::function<void(const fs::path& database)> beside;
    Holder holder = Holder::None;
    const char* startName = "Kazutama.mdb"; // the name the second start opens the database by
    bool ordinaryUser = false;
    const char* expected = "writable"; // how the answer starts
    bool namesHolder = false;
};

TEST(LockFaultTest, OnlyARunningHolderOfTheSameFileRefusesAStart) {
    const auto lockFile = [](const std::string& content) {
        return [content](const fs::path& database) { writeFile(database.string() + ".lock", content); };
    };
    pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::vector<LockCase> cases = {
        {"an empty lock file", lockFile("")},
        {"a garbage lock file", lockFile(std::string("\x00\xff garbage\n\n", 12))},
        {"a folder as the lock file",
         [](const fs::path& db) { fs::create_directory(db.string() + ".lock"); }},
        {"a lock file linked to nowhere",
         [](const fs::path& db) { fs::create_symlink(db.parent_path() / "victim", db.string() + ".lock"); }},
        {"an unreadable lock file",
         [](const fs::path& db) {
             writeFile(db.string() + ".lock", "1\n" + thisHost() + "\n");
             fs::permissions(db.string() + ".lock", fs::perms::none);
         },
         Holder::None, "Kazutama.mdb", true},
        {"another computer's lock", lockFile("4242\nKazutama\nanother-pc\n{4f1c2a}\n")},
        {"a dead process's lock", lockFile(std::to_string(dead) + "\nKazutama\n" + thisHost() + "\n")},
        {"a write-protected database", [](const fs::path& db) { fs::permissions(db, fs::perms::owner_read); },
         Holder::None, "Kazutama.mdb", true, "read-only: 当選データのファイル「"},
        {"a running holder", {}, Holder::Running, "Kazutama.mdb", false, "refused: ", true},
        {"the same file by a symbolic link",
         [](const fs::path& db) { fs::create_symlink(db, db.parent_path() / "link.mdb"); }, Holder::Running,
         "link.mdb", false, "refused: ", true},
        {"a read-only folder",
         [](const fs::path& db) {
             fs::permissions(db.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
         },
         Holder::Running, "Kazutama.mdb", true, "refused: "},
        {"a holder killed with SIGKILL", {}, Holder::Killed},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path database = dir / "Kazutama.mdb";
        ASSERT_TRUE(DrawStore::create(ConnectionString::forDatabase(database)));
        if (c.ordinaryUser && ::geteuid() == 0) {
            ASSERT_EQ(::chown(dir.path().c_str(), kNobody, kNobody), 0);
            ASSERT_EQ(::chown(database.c_str(), kNobody, kNobody), 0);
        }
        if (c.beside)
            c.beside(database);
        std::optional<Child> holder;
        if (c.holder != Holder::None) {
            holder.emplace([&] { startUp(database); }, c.ordinaryUser);
            ASSERT_EQ(holder->answer, "writable");
            if (c.holder == Holder::Killed)
                holder->kill();
        }

        Child second([&] { startUp(dir / c.startName); }, c.ordinaryUser);
        const std::string& answer = second.answer;
        EXPECT_TRUE(answer.starts_with(c.expected)) << answer;
        if (answer.starts_with("refused") || answer.starts_with("read-only")) {
            EXPECT_NE(answer.find(quotePath(database)), std::string::npos) << answer;
        }
        if (c.namesHolder) {
            EXPECT_NE(answer.find("（プロセス番号 " + std::to_string(holder->pid) + "）"), std::string::npos)
                << answer;
        }
        EXPECT_FALSE(fs::exists(dir / "victim"));
        // Reading takes no lock, and changes nothing, whoever holds the file.
        test::runReadOnlyCommands(database, dir.path());
        // What was left in the note's place is replaced, where it is a plain file that can be written.
        if (answer == "writable" && !c.ordinaryUser &&
            fs::is_regular_file(fs::symlink_status(dir / "Kazutama.mdb.lock"))) {
            EXPECT_EQ(test::readFile(dir / "Kazutama.mdb.lock"),
                      std::to_string(second.pid) + "\n" + thisHost() + "\n");
        }
    }
}

// A creation's temporary ".Kazutama-new-XXXXXX" (and its journal), as a creation killed half-way leaves it,
// is removed at the next start; one that a running creation is still making stays.
TEST(LockFaultTest, AStartRemovesTheTemporariesOfKilledCreationsOnly) {
    TempDir dir;
    const auto creating = [&](const std::string& name) {
        return [&dir, name] {
            const int fd = ::open((dir / name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            writeFile(dir / (name + "-journal"), "journal");
            DatabaseLock lock = DatabaseLock::lockDescriptor(fd);
            answerAndStay(lock.state() == DatabaseLock::State::Exclusive ? "making" : "not locked");
        };
    };
    Child killed(creating(".Kazutama-new-k1LLed"));
    Child running(creating(".Kazutama-new-Ru7nin"));
    ASSERT_EQ(killed.answer, "making");
    ASSERT_EQ(running.answer, "making");
    killed.kill();
    writeFile(dir / ".Kazutama-new-notes.txt", "the user's own");

    ASSERT_TRUE(DrawStore::openOrCreate(ConnectionString::forDatabase(dir / "Kazutama.mdb")));
    EXPECT_FALSE(fs::exists(dir / ".Kazutama-new-k1LLed"));
    EXPECT_FALSE(fs::exists(dir / ".Kazutama-new-k1LLed-journal"));
    EXPECT_TRUE(fs::exists(dir / ".Kazutama-new-Ru7nin"));
    EXPECT_TRUE(fs::exists(dir / ".Kazutama-new-Ru7nin-journal"));
    EXPECT_TRUE(fs::exists(dir / ".Kazutama-new-notes.txt"));
}

} // namespace
} // namespace kazutama
