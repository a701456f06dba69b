#include "store/Workspace.h"

#include "store/DrawStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kazutama {
namespace {

enum class Start { Missing, Stored, NotADatabase };

// 5 three times (twice a main number, once a bonus number); draw 4 is numbered but not entered yet.
void storeDraws(const ConnectionString& connection) {
    auto store = DrawStore::create(connection);
    ASSERT_TRUE(store);
    ASSERT_TRUE(store->importDraws(
        {DrawRecord{1, {5, 2, 3, 4, 6, 7, 8, 9, 10}}, DrawRecord{2, {11, 12, 13, 14, 15, 16, 17, 5, 18}},
         DrawRecord{3, {5, 20, 21, 22, 23, 24, 25, 26, 27}}, DrawRecord{4, {1, 0, 0, 0, 0, 0, 0, 0, 0}}}));
}

TEST(WorkspaceTest, OpensReadsAndSummarisesOrLeavesTheFileAlone) {
    const struct {
        Start start;
        bool createIfMissing;
        bool opens;
        bool creates;
    } cases[] = {
        {Start::Missing, true, true, true},        {Start::Missing, false, false, false},
        {Start::Stored, true, true, false},        {Start::Stored, false, true, false},
        {Start::NotADatabase, true, false, false}, {Start::NotADatabase, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "start " << int(c.start) << ", create " << c.createIfMissing);
        test::TempDir dir;
        const ConnectionString connection = ConnectionString::forDatabase(dir / "Kazutama.mdb");
        if (c.start == Start::Stored)
            storeDraws(connection);
        if (c.start == Start::NotADatabase)
            test::writeFile(connection.databasePath(), "not a history");
        const std::string before = test::readFile(connection.databasePath());

        auto workspace =
            c.createIfMissing ? Workspace::openOrCreate(connection) : Workspace::open(connection);

        ASSERT_EQ(workspace.ok(), c.opens);
        EXPECT_EQ(std::filesystem::exists(connection.databasePath()), c.start != Start::Missing || c.creates);
        if (!workspace) {
            EXPECT_NE(workspace.error().message.find("Kazutama.mdb"), std::string::npos);
            EXPECT_EQ(test::readFile(connection.databasePath()), before);
            continue;
        }
        EXPECT_EQ(workspace->createdDatabase(), c.creates);
        const bool stored = c.start == Start::Stored;
        EXPECT_EQ(workspace->history().size(), stored ? 4u : 0u);
        EXPECT_EQ(workspace->summary().latestDrawNumber, stored ? 3 : 0);
        EXPECT_EQ(workspace->summary().numberCounts[5], stored ? 3 : 0);
        EXPECT_EQ(workspace->summary().maxCount, stored ? 3 : 0);
    }
}

} // namespace
} // namespace kazutama
