// The readers of the user's files when a FIFO stands in the file's place: each gives up at once, as for a
// file it cannot read, instead of waiting for a writer that never comes.

#include "common/QuotedInput.h"
#include "settings/SettingsFile.h"
#include "store/HistoryCsv.h"
#include "store/HistoryImport.h"
#include "store/Workspace.h"
#include "support/ChildProcess.h"
#include "support/ReadOnlyCommands.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kazutama {
namespace {

TEST(FileReadFaultTest, AFifoInTheFilesPlaceIsRefusedAtOnce) {
    const test::TempDir dir;
    const std::filesystem::path pipe = dir / "Kazutama.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string cause = "（通常のファイルではなく名前付きパイプです）。";
    const auto messageOf = [](const auto& result) {
        return result ? std::string("read") : result.error().message;
    };
    const struct {
        const char* name;
        std::function<std::string()> read;
        std::string expected;
    } readers[] = {
        {"the settings",
         [&] { return ReadInitFile(pipe) == AnalysisOptions{} ? "every option off" : "read"; },
         "every option off"},
        {"a history CSV", [&] { return messageOf(readHistoryCsvFile(pipe)); },
         "CSVファイル" + quotePath(pipe) + "を読み込めません" + cause},
        {"another program's history", [&] { return messageOf(readHistoryImportFile(pipe)); },
         "CSVファイル" + quotePath(pipe) + "を読み込めません" + cause},
        {"the database", [&] { return messageOf(Workspace::open(ConnectionString::forDatabase(pipe))); },
         "データベースファイル" + quotePath(pipe) + "を開けません" + cause},
    };
    for (const auto& r : readers)
        EXPECT_EQ(test::runInChild(r.read), r.expected) << r.name;
    for (const test::CliRun& run : test::runReadOnlyCommands(pipe, dir.path()))
        EXPECT_NE(run.err.find("名前付きパイプ"), std::string::npos) << run.err;
}

} // namespace
} // namespace kazutama
