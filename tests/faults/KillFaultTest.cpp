// kazutama-cli killed with SIGKILL at random moments while it creates a database and while it imports:
// afterwards the database is absent or opens, and holds the old history or the complete new one, never
// a mix.

#include "store/ConnectionString.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"
#include "support/TestSupport.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kazutama {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr int kRuns = 30;

// Starts `kazutama-cli import DB CSV`, kills it after `delay` unless it ended first; true when it ended.
bool importKilledAfter(const fs::path& database, const fs::path& csv, std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(KAZUTAMA_CLI_PATH, KAZUTAMA_CLI_PATH, "import", database.c_str(), csv.c_str(), nullptr);
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, nullptr, WNOHANG) == child)
            return true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return false;
}

std::vector<DrawRecord> drawsFrom(int first, int last, int offset) {
    std::vector<DrawRecord> draws;
    for (int d = first; d <= last; ++d) {
        DrawRecord draw{d, {}};
        for (int i = 0; i < kBallCount; ++i)
            draw.numbers[std::size_t(i)] = (d * 7 + i * 3 + offset) % 37 + 1;
        draws.push_back(draw);
    }
    return draws;
}

std::chrono::microseconds timeOfOneImport(const fs::path& csv) {
    TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    importKilledAfter(dir / "timing.mdb", csv, std::chrono::seconds(30));
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

TEST(KillFaultTest, AKilledImportLeavesNoDatabaseOrTheOldHistoryOrTheWholeNewOne) {
    TempDir dir;
    const std::vector<DrawRecord> old = drawsFrom(1, 300, 0);
    std::vector<DrawRecord> incoming = drawsFrom(200, 3000, 5); // replaces 200..300, adds the rest
    const fs::path csv = dir / "new.csv";
    test::writeFile(csv, formatHistoryCsv(test::historyOf(incoming)));
    std::vector<DrawRecord> merged(old.begin(), old.begin() + 199);
    merged.insert(merged.end(), incoming.begin(), incoming.end());

    const fs::path base = dir / "base.mdb";
    {
        auto store = DrawStore::create(ConnectionString::forDatabase(base));
        ASSERT_TRUE(store && store->importDraws(old));
    }
    const auto full = timeOfOneImport(csv);
    std::mt19937 random(20261208);
    int killed = 0;
    for (int run = 0; run < kRuns; ++run) {
        for (const bool fresh : {true, false}) {
            SCOPED_TRACE((fresh ? "creating, run " : "importing, run ") + std::to_string(run));
            const fs::path database =
                dir / ("run" + std::to_string(run) + (fresh ? "-new" : "-old") + ".mdb");
            if (!fresh)
                fs::copy_file(base, database);
            // Creation is the first tenth or so of a run: the fresh runs are cut short mostly there.
            const auto window = std::uint64_t(fresh ? full.count() / 4 : full.count()) + 1;
            const auto delay = std::chrono::microseconds(random() % window);
            killed += !importKilledAfter(database, csv, delay);

            if (!fs::exists(database)) {
                EXPECT_TRUE(fresh);
                continue;
            }
            auto store = DrawStore::open(ConnectionString::forDatabase(database));
            ASSERT_TRUE(store) << store.error().message;
            auto history = store->loadHistory();
            ASSERT_TRUE(history) << history.error().message;
            const std::vector<DrawRecord>& now = history->records();
            if (fresh)
                EXPECT_TRUE(now.empty() || now == incoming) << now.size() << " draws";
            else
                EXPECT_TRUE(now == old || now == merged) << now.size() << " draws";
        }
    }
    // The delays are drawn over the length of a whole import, so most runs are cut short.
    EXPECT_GT(killed, kRuns / 2);
}

} // namespace
} // namespace kazutama
