#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileOperationError.h"
#include "platform/Trash.h"
#include "tests/FileOperationFixture.h"

namespace {

class TrashTest : public FileOperationFixture {
protected:
    // The Path= line of a .trashinfo record.
    static std::string RecordedPath(const std::string& infoFile)
    {
        std::smatch match;
        const std::string info = Read(infoFile);
        return std::regex_search(info, match, std::regex("\nPath=([^\n]*)\n")) ? match[1].str() : "<none>";
    }
};

struct EncodingCase {
    const char* name;
    const char* encoded;
};

class TrashPathEncodingTest : public TrashTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(TrashPathEncodingTest, RecordsThePercentEncodedAbsolutePathInTheHomeTrash)
{
    const std::string file = Path("photos/") + GetParam().name;
    Write(file, "jpeg bytes");

    const TrashEntry entry = MoveToTrash(file);

    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(entry.file, HomeTrash() + "/files/" + GetParam().name);
    EXPECT_EQ(entry.info, HomeTrash() + "/info/" + GetParam().name + ".trashinfo");
    EXPECT_EQ(Read(entry.file), "jpeg bytes");
    const std::string expected = "\\[Trash Info\\]\nPath=" + Path("photos/") + GetParam().encoded
                                 + "\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n";
    EXPECT_TRUE(std::regex_match(Read(entry.info), std::regex(expected))) << Read(entry.info);
}

INSTANTIATE_TEST_SUITE_P(Names, TrashPathEncodingTest,
                         ::testing::Values(EncodingCase{"IMG_0001.JPG", "IMG_0001.JPG"},
                                           EncodingCase{"Holiday 2024.jpg", "Holiday%202024.jpg"},
                                           EncodingCase{"100%.jpg", "100%25.jpg"},
                                           EncodingCase{"#7 best.jpg", "%237%20best.jpg"},
                                           EncodingCase{"été.jpg", "%C3%A9t%C3%A9.jpg"},
                                           EncodingCase{"line\nbreak.jpg", "line%0Abreak.jpg"},
                                           EncodingCase{"a+b=c&d;e.jpg", "a%2Bb%3Dc%26d%3Be.jpg"},
                                           EncodingCase{"~tilde-dash_dot.jpg", "~tilde-dash_dot.jpg"}));

TEST_F(TrashTest, CreatesAMissingHomeTrashWithItsParents)
{
    setenv("XDG_DATA_HOME", Path("not/yet/there").c_str(), 1);
    Write(Path("a.jpg"), "x");

    const TrashEntry entry = MoveToTrash(Path("a.jpg"));

    EXPECT_EQ(entry.file, Path("not/yet/there/Trash/files/a.jpg"));
    EXPECT_EQ(Read(entry.file), "x");
}

TEST_F(TrashTest, SameNameTwiceGetsTwoEntriesEachRecordingItsOwnPath)
{
    Write(Path("card1/IMG_0001.JPG"), "first camera");
    Write(Path("card2/IMG_0001.JPG"), "second camera");

    const TrashEntry first = MoveToTrash(Path("card1/IMG_0001.JPG"));
    const TrashEntry second = MoveToTrash(Path("card2/IMG_0001.JPG"));

    EXPECT_NE(first.file, second.file);
    EXPECT_EQ(Read(first.file), "first camera");
    EXPECT_EQ(Read(second.file), "second camera");
    EXPECT_EQ(RecordedPath(first.info), Path("card1/IMG_0001.JPG"));
    EXPECT_EQ(RecordedPath(second.info), Path("card2/IMG_0001.JPG"));
}

TEST_F(TrashTest, NeverOverwritesAnOrphanInFilesThatHasNoRecord)
{
    Write(HomeTrash() + "/files/a.jpg", "orphan");
    std::filesystem::create_directories(HomeTrash() + "/info");
    Write(Path("a.jpg"), "new");

    const TrashEntry entry = MoveToTrash(Path("a.jpg"));

    EXPECT_NE(entry.file, HomeTrash() + "/files/a.jpg");
    EXPECT_EQ(Read(HomeTrash() + "/files/a.jpg"), "orphan");
    EXPECT_EQ(Read(entry.file), "new");
    EXPECT_FALSE(Exists(HomeTrash() + "/info/a.jpg.trashinfo"));
}

TEST_F(TrashTest, RecordsTheOriginalPathOfAFileSwappedOutOfItsPlace)
{
    Write(Path("in/.swap"), "old photo");

    const TrashEntry entry = MoveToTrash(Path("in/.swap"), Path("in/a.jpg"));

    EXPECT_EQ(entry.file, HomeTrash() + "/files/a.jpg");
    EXPECT_EQ(RecordedPath(entry.info), Path("in/a.jpg"));
}

TEST_F(TrashTest, MissingFileFailsAndLeavesNoRecord)
{
    try {
        MoveToTrash(Path("gone.jpg"));
        FAIL() << "trashed a file that does not exist";
    } catch (const FileOperationError& error) {
        EXPECT_EQ(error.Code(), ENOENT);
    }
    EXPECT_EQ(Entries(HomeTrash() + "/info"), std::vector<std::string>{});
}

// The record is written before the file moves; if the move fails the record must go too, or the
// trash would list a photo it does not hold.
TEST_F(TrashTest, FailedMoveIntoTheTrashRemovesItsRecord)
{
    Write(Path("locked/a.jpg"), "photo");
    const int folder = open(Path("locked").c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    ioctl(folder, FS_IOC_GETFLAGS, &flags);
    const int unlocked = flags;
    flags |= FS_IMMUTABLE_FL;
    if (ioctl(folder, FS_IOC_SETFLAGS, &flags) != 0) {
        close(folder);
        GTEST_SKIP() << "needs root and a filesystem with immutable folders to make a rename fail";
    }

    EXPECT_THROW(MoveToTrash(Path("locked/a.jpg")), FileOperationError);

    ioctl(folder, FS_IOC_SETFLAGS, &unlocked);
    close(folder);
    EXPECT_EQ(Read(Path("locked/a.jpg")), "photo");
    EXPECT_EQ(Entries(HomeTrash() + "/info"), std::vector<std::string>{});
    EXPECT_EQ(Entries(HomeTrash() + "/files"), std::vector<std::string>{});
}

TEST_F(TrashTest, PutBackRestoresTheFileAndDropsItsRecord)
{
    Write(Path("a.jpg"), "photo");
    const TrashEntry entry = MoveToTrash(Path("a.jpg"));

    PutBackFromTrash(entry, Path("a.jpg"));

    EXPECT_EQ(Read(Path("a.jpg")), "photo");
    EXPECT_FALSE(Exists(entry.file));
    EXPECT_FALSE(Exists(entry.info));
}

TEST_F(TrashTest, PutBackNeverReplacesAFileThatTookTheName)
{
    Write(Path("a.jpg"), "trashed");
    const TrashEntry entry = MoveToTrash(Path("a.jpg"));
    Write(Path("a.jpg"), "newcomer");

    EXPECT_THROW(PutBackFromTrash(entry, Path("a.jpg")), FileOperationError);

    EXPECT_EQ(Read(Path("a.jpg")), "newcomer");
    EXPECT_EQ(Read(entry.file), "trashed");
    EXPECT_TRUE(Exists(entry.info));
}

// A volume trash is prepared on a fresh tmpfs mounted at "card"; the file lies in card/DCIM.
struct VolumeTrashCase {
    const char* description;
    void (*prepare)(const std::string& top);
    const char* expectedTrash;  // relative to the mount point
};

void NothingPrepared(const std::string&) {}

void StickySharedTrash(const std::string& top)
{
    mkdir((top + "/.Trash").c_str(), 01777);
    chmod((top + "/.Trash").c_str(), 01777);
}

void SharedTrashWithoutStickyBit(const std::string& top)
{
    mkdir((top + "/.Trash").c_str(), 0777);
}

void SharedTrashAsSymlink(const std::string& top)
{
    mkdir((top + "/elsewhere").c_str(), 01777);
    chmod((top + "/elsewhere").c_str(), 01777);
    symlink("elsewhere", (top + "/.Trash").c_str());
}

void SharedUserFolderOwnedBySomeoneElse(const std::string& top)
{
    StickySharedTrash(top);
    const std::string own = top + "/.Trash/" + std::to_string(getuid());
    mkdir(own.c_str(), 0700);
    if (chown(own.c_str(), getuid() + 4242, getgid()) != 0)
        ADD_FAILURE() << "cannot give the folder away";
}

class VolumeTrashTest : public TrashTest, public ::testing::WithParamInterface<VolumeTrashCase> {};

TEST_P(VolumeTrashTest, UsesOnlyATrashThatPassesTheChecks)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    GetParam().prepare(Path("card"));
    Write(Path("card/DCIM/IMG 1.JPG"), "on the card");

    const TrashEntry entry = MoveToTrash(Path("card/DCIM/IMG 1.JPG"));

    const std::string trash = Path("card/") + GetParam().expectedTrash;
    EXPECT_EQ(entry.file, trash + "/files/IMG 1.JPG");
    EXPECT_EQ(Read(entry.file), "on the card");
    EXPECT_EQ(RecordedPath(entry.info), "DCIM/IMG%201.JPG");  // relative to the mount point
    EXPECT_EQ(Entries(HomeTrash()), std::vector<std::string>{});  // never copied across filesystems
    struct stat status {};
    ASSERT_EQ(lstat(trash.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, getuid());
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    EXPECT_EQ(Entries(Path("card/elsewhere")), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Volumes, VolumeTrashTest,
    ::testing::Values(VolumeTrashCase{"NoSharedTrash", NothingPrepared, ".Trash-0"},
                      VolumeTrashCase{"StickySharedTrash", StickySharedTrash, ".Trash/0"},
                      VolumeTrashCase{"SharedTrashNotSticky", SharedTrashWithoutStickyBit, ".Trash-0"},
                      VolumeTrashCase{"SharedTrashIsSymlink", SharedTrashAsSymlink, ".Trash-0"},
                      VolumeTrashCase{"SharedUserFolderNotOurs", SharedUserFolderOwnedBySomeoneElse, ".Trash-0"}),
    [](const auto& info) { return std::string(info.param.description); });

TEST_F(TrashTest, NoUsableTrashOnTheFilesystemFailsAndKeepsTheFile)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    mkdir(Path("card/decoy").c_str(), 0700);
    ASSERT_EQ(symlink("decoy", Path("card/.Trash-" + std::to_string(getuid())).c_str()), 0);
    Write(Path("card/a.jpg"), "keep me");

    EXPECT_THROW(MoveToTrash(Path("card/a.jpg")), FileOperationError);

    EXPECT_EQ(Read(Path("card/a.jpg")), "keep me");
    EXPECT_EQ(Entries(Path("card/decoy")), std::vector<std::string>{});
    EXPECT_EQ(Entries(HomeTrash()), std::vector<std::string>{});
}

// The desktop's trash tools must see and restore what we trash, byte for byte.
TEST_F(TrashTest, TrashCliListsAndRestoresOurEntriesByteExact)
{
    if (system("command -v trash-list >/dev/null 2>&1 && command -v trash-restore >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "trash-cli is not installed";
    std::string photo;
    for (int i = 0; i < 4096; ++i)
        photo += static_cast<char>(i * 7 % 256);
    const std::string folder = Path("Best of 100% #1");
    Write(folder + "/été 01.jpg", photo);

    MoveToTrash(folder + "/été 01.jpg");

    const std::string environment = "XDG_DATA_HOME='" + Path("data") + "' ";
    FILE* list = popen((environment + "trash-list 2>&1").c_str(), "r");
    ASSERT_NE(list, nullptr);
    std::string listed;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, list))
        listed += buffer;
    pclose(list);
    EXPECT_NE(listed.find(folder + "/été 01.jpg"), std::string::npos) << listed;

    const std::string restore = "echo 0 | " + environment + "trash-restore '" + folder + "' >/dev/null 2>&1";
    ASSERT_EQ(system(restore.c_str()), 0);
    EXPECT_EQ(Read(folder + "/été 01.jpg"), photo);
    EXPECT_EQ(Entries(HomeTrash() + "/files"), std::vector<std::string>{});
    EXPECT_EQ(Entries(HomeTrash() + "/info"), std::vector<std::string>{});
}

}  // namespace
