#include <gtest/gtest.h>

#include "platform/FileOperationError.h"
#include "platform/PlaceAtDestination.h"
#include "tests/FileOperationFixture.h"

namespace {

using PlaceAtDestinationTest = FileOperationFixture;
using Names = std::vector<std::string>;

TEST_F(PlaceAtDestinationTest, TakesAFreeNameWithoutTouchingTheTrash)
{
    Write(Path("new.jpg"), "new");

    EXPECT_EQ(PlaceAtDestination(Path("new.jpg"), Path("a.jpg")), std::nullopt);

    EXPECT_EQ(Read(Path("a.jpg")), "new");
    EXPECT_FALSE(Exists(Path("new.jpg")));
    EXPECT_FALSE(Exists(HomeTrash()));
}

TEST_F(PlaceAtDestinationTest, NeverReplacesAFolder)
{
    Write(Path("new.jpg"), "new");
    Write(Path("a.jpg/inside.jpg"), "inside");

    EXPECT_THROW(PlaceAtDestination(Path("new.jpg"), Path("a.jpg")), FileOperationError);

    EXPECT_EQ(Read(Path("new.jpg")), "new");
    EXPECT_EQ(Read(Path("a.jpg/inside.jpg")), "inside");
}

// The old file is swapped out first; if the trash then refuses it, it must be swapped back.
TEST_F(PlaceAtDestinationTest, OldFileThatCannotBeTrashedStaysInPlace)
{
    Write(Path("data/Trash"), "a file where the trash folder should be");
    Write(Path("new.jpg"), "new");
    Write(Path("a.jpg"), "old");

    EXPECT_THROW(PlaceAtDestination(Path("new.jpg"), Path("a.jpg")), FileOperationError);

    EXPECT_EQ(Read(Path("a.jpg")), "old");
    EXPECT_EQ(Read(Path("new.jpg")), "new");
}

TEST_F(PlaceAtDestinationTest, WithoutSwappingTheOldFileIsTrashedThenReplaced)
{
    Write(Path("new.jpg"), "new");
    Write(Path("a.jpg"), "old");

    const TrashEntry old = ReplaceByTrashingFirst(Path("new.jpg"), Path("a.jpg"));

    EXPECT_EQ(Read(Path("a.jpg")), "new");
    EXPECT_FALSE(Exists(Path("new.jpg")));
    EXPECT_EQ(Read(old.file), "old");
    EXPECT_NE(Read(old.info).find("\nPath=" + Path("a.jpg") + "\n"), std::string::npos);
}

TEST_F(PlaceAtDestinationTest, WithoutSwappingAFailedRenamePutsTheOldFileBack)
{
    Write(Path("a.jpg"), "old");

    EXPECT_THROW(ReplaceByTrashingFirst(Path("vanished.jpg"), Path("a.jpg")), FileOperationError);

    EXPECT_EQ(Read(Path("a.jpg")), "old");
    EXPECT_EQ(Entries(HomeTrash() + "/files"), Names{});
    EXPECT_EQ(Entries(HomeTrash() + "/info"), Names{});
}

}  // namespace
