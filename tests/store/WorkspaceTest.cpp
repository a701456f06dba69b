#include "store/Workspace.h"

#include "store/DrawStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

enum class Start { Missing, Stored, NotADatabase };
enum class Call { OpenOrCreate, Open };

struct Case {
    const char* name;
    Start start;
    Call call;
    bool opens;
    bool creates;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class WorkspaceTest : public ::testing::TestWithParam<Case> {
protected:
    ConnectionString connection() const { return ConnectionString::forDatabase(m_dir / "Kazutama.mdb"); }

    void prepare(Start start) {
        if (start == Start::NotADatabase)
            writeFile(connection().databasePath(), "not a history");
        if (start != Start::Stored)
            return;
        auto store = DrawStore::create(connection());
        ASSERT_TRUE(store);
        // 5 three times (twice a main number, once a bonus number); draw 4 is numbered but not entered.
        ASSERT_TRUE(store->writeDraw({1, {5, 2, 3, 4, 6, 7, 8, 9, 10}}));
        ASSERT_TRUE(store->writeDraw({2, {11, 12, 13, 14, 15, 16, 17, 5, 18}}));
        ASSERT_TRUE(store->writeDraw({3, {5, 20, 21, 22, 23, 24, 25, 26, 27}}));
        ASSERT_TRUE(store->writeDraw({4, {1, 0, 0, 0, 0, 0, 0, 0, 0}}));
    }

    TempDir m_dir;
};

TEST_P(WorkspaceTest, OpensReadsAndSummarisesOrLeavesTheFileAlone) {
    const Case& c = GetParam();
    prepare(c.start);
    const std::string before = readFile(connection().databasePath());

    auto workspace =
        c.call == Call::Open ? Workspace::open(connection()) : Workspace::openOrCreate(connection());

    ASSERT_EQ(workspace.ok(), c.opens) << (workspace ? "" : workspace.error().message);
    EXPECT_EQ(std::filesystem::exists(connection().databasePath()), c.start != Start::Missing || c.creates);
    if (!workspace) {
        EXPECT_NE(workspace.error().message.find("Kazutama.mdb"), std::string::npos)
            << workspace.error().message;
        EXPECT_EQ(readFile(connection().databasePath()), before);
        return;
    }
    EXPECT_EQ(workspace->createdDatabase(), c.creates);
    EXPECT_EQ(workspace->connection().databasePath(), connection().databasePath());
    if (c.start == Start::Missing) {
        EXPECT_TRUE(workspace->history().empty());
        EXPECT_EQ(workspace->summary().latestDrawNumber, 0);
        EXPECT_EQ(workspace->summary().groupRowCount, 0);
        return;
    }
    EXPECT_EQ(workspace->history().size(), 4u);
    EXPECT_EQ(workspace->summary().latestDrawNumber, 3);
    EXPECT_EQ(workspace->summary().numberCounts[5], 3);
    EXPECT_EQ(workspace->summary().maxCount, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkspaceTest,
    ::testing::Values(Case{"MissingIsCreated", Start::Missing, Call::OpenOrCreate, true, true},
                      Case{"MissingIsRefusedWhereOnlyRead", Start::Missing, Call::Open, false, false},
                      Case{"StoredOpens", Start::Stored, Call::OpenOrCreate, true, false},
                      Case{"StoredOpensWhereOnlyRead", Start::Stored, Call::Open, true, false},
                      Case{"ForeignFileIsLeftAlone", Start::NotADatabase, Call::OpenOrCreate, false, false},
                      Case{"ForeignFileIsLeftAloneWhereOnlyRead", Start::NotADatabase, Call::Open, false,
                           false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The database is not held open: the entry view and other programs write while the snapshot stays as read.
TEST(WorkspaceSnapshotTest, LaterWritesDoNotReachTheSnapshot) {
    TempDir dir;
    const ConnectionString connection = ConnectionString::forDatabase(dir / "Kazutama.mdb");
    auto workspace = Workspace::openOrCreate(connection);
    ASSERT_TRUE(workspace);
    auto store = DrawStore::open(connection);
    ASSERT_TRUE(store);
    ASSERT_TRUE(store->writeDraw({1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}));
    EXPECT_TRUE(workspace->history().empty());
    EXPECT_EQ(Workspace::open(connection)->history().size(), 1u);
}

} // namespace
} // namespace kazutama
