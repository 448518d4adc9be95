#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ShellFileOperation.h"
#include "tests/FileOperationFixture.h"

namespace {

constexpr FILEOP_FLAGS kProgramFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
constexpr const char* kSameFile = "source and destination are the same file";

// Every test works on files in src/, which is the current folder, as the program's callers do.
class ShellFileOperationTest : public FileOperationFixture {
protected:
    void SetUp() override
    {
        FileOperationFixture::SetUp();
        std::filesystem::create_directories(Path("src"));
        std::filesystem::create_directories(Path("dst"));
        ASSERT_NE(SetCurrentDirectoryA((Path("src") + "/").c_str()), 0);
    }

    int Run(UINT operation, const std::vector<std::string>& names, const char* to,
            FILEOP_FLAGS flags = kProgramFlags)
    {
        std::string list;
        for (const auto& name : names)
            list += name + '\0';
        list += '\0';
        SHFILEOPSTRUCT op;
        op.wFunc = operation;
        op.pFrom = list.c_str();
        op.pTo = to;
        op.fFlags = flags;
        const int result = SHFileOperationA(&op);
        aborted_ = op.fAnyOperationsAborted;
        return result;
    }

    int Run(UINT operation, const std::vector<std::string>& names, const std::string& to)
    {
        return Run(operation, names, to.c_str());
    }

    static const FileOperationOutcome& Outcome(std::size_t index)
    {
        return LastFileOperationOutcomes().at(index);
    }

    static void SetModeAndTime(const std::string& path, mode_t mode)
    {
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        const timespec times[2] = {{1'500'000'000, 0}, {1'400'000'000, 123'456'789}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    static void ExpectModeAndTime(const std::string& path, mode_t mode)
    {
        struct stat status {};
        ASSERT_EQ(stat(path.c_str(), &status), 0) << path;
        EXPECT_EQ(status.st_mode & 07777, mode);
        EXPECT_EQ(status.st_mtim.tv_sec, 1'400'000'000);
        EXPECT_EQ(status.st_mtim.tv_nsec, 123'456'789);
    }

    bool aborted_ = false;
};

using Names = std::vector<std::string>;

struct CodeCase {
    const char* description;
    UINT code;
    const char* to;           // relative to the scratch folder
    bool sourceStays;
    const char* arrivesAt;    // relative to the scratch folder
};

class OperationCodeTest : public ShellFileOperationTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(OperationCodeTest, EachCodeDoesItsOwnOperation)
{
    Write(Path("src/a.jpg"), "photo");

    ASSERT_EQ(Run(GetParam().code, {"a.jpg"}, Path(GetParam().to)), 0);

    EXPECT_EQ(Exists(Path("src/a.jpg")), GetParam().sourceStays);
    EXPECT_EQ(Read(Path(GetParam().arrivesAt)), "photo");
    ASSERT_EQ(LastFileOperationOutcomes().size(), 1u);
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Done);
    EXPECT_EQ(Outcome(0).source, Path("src/a.jpg"));
    if (GetParam().code == FO_DELETE) {
        EXPECT_EQ(Outcome(0).destination, "");
        EXPECT_EQ(Outcome(0).trashed, Path(GetParam().arrivesAt));
    } else {
        EXPECT_EQ(Outcome(0).destination, Path(GetParam().arrivesAt));
        EXPECT_EQ(Outcome(0).trashed, "");
    }
    EXPECT_FALSE(aborted_);
    EXPECT_TRUE(reports_.empty());
}

INSTANTIATE_TEST_SUITE_P(Codes, OperationCodeTest,
                         ::testing::Values(CodeCase{"Move", 1, "dst/", false, "dst/a.jpg"},
                                           CodeCase{"Copy", 2, "dst/", true, "dst/a.jpg"},
                                           CodeCase{"Delete", 3, "src/", false, "data/Trash/files/a.jpg"},
                                           CodeCase{"Rename", 4, "src/b.jpg", false, "src/b.jpg"}),
                         [](const auto& info) { return std::string(info.param.description); });

TEST_F(ShellFileOperationTest, MovesEveryNameInListOrder)
{
    Write(Path("src/IMG_2.jpg"), "two");
    Write(Path("src/IMG_10.jpg"), "ten");

    ASSERT_EQ(Run(FO_MOVE, {"IMG_2.jpg", "IMG_10.jpg"}, Path("dst/")), 0);

    EXPECT_EQ(Entries(Path("src")), Names{});
    EXPECT_EQ(Read(Path("dst/IMG_2.jpg")), "two");
    EXPECT_EQ(Read(Path("dst/IMG_10.jpg")), "ten");
    ASSERT_EQ(LastFileOperationOutcomes().size(), 2u);
    EXPECT_EQ(Outcome(0).destination, Path("dst/IMG_2.jpg"));
    EXPECT_EQ(Outcome(1).destination, Path("dst/IMG_10.jpg"));
}

TEST_F(ShellFileOperationTest, CopyKeepsModeAndModificationTimeAndLeavesNoTemporary)
{
    Write(Path("src/a.jpg"), "photo");
    SetModeAndTime(Path("src/a.jpg"), 0640);

    ASSERT_EQ(Run(FO_COPY, {"a.jpg"}, Path("dst/")), 0);

    ExpectModeAndTime(Path("dst/a.jpg"), 0640);
    EXPECT_EQ(Entries(Path("dst")), Names{"a.jpg"});
    EXPECT_EQ(Read(Path("src/a.jpg")), "photo");
}

struct ReplaceCase {
    const char* description;
    UINT operation;
    const char* to;
    const char* replaced;
};

class ReplacementTest : public ShellFileOperationTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplacementTest, KeepsTheReplacedFileInTheTrash)
{
    Write(Path("src/a.jpg"), "new camera");
    Write(Path(GetParam().replaced), "old camera");

    ASSERT_EQ(Run(GetParam().operation, {"a.jpg"}, Path(GetParam().to)), 0);

    EXPECT_EQ(Read(Path(GetParam().replaced)), "new camera");
    const std::string trashed = Outcome(0).trashed;
    ASSERT_FALSE(trashed.empty());
    EXPECT_EQ(Read(trashed), "old camera");
    const std::string info = Read(HomeTrash() + "/info/" + std::filesystem::path(trashed).filename().string() + ".trashinfo");
    EXPECT_NE(info.find("\nPath=" + Path(GetParam().replaced) + "\n"), std::string::npos) << info;
    EXPECT_EQ(Entries(Path("dst")).size(), Exists(Path("dst/a.jpg")) ? 1u : 0u);  // no temporary left
}

INSTANTIATE_TEST_SUITE_P(Operations, ReplacementTest,
                         ::testing::Values(ReplaceCase{"Move", FO_MOVE, "dst/", "dst/a.jpg"},
                                           ReplaceCase{"Copy", FO_COPY, "dst/", "dst/a.jpg"},
                                           ReplaceCase{"Rename", FO_RENAME, "src/b.jpg", "src/b.jpg"}),
                         [](const auto& info) { return std::string(info.param.description); });

struct SameFileCase {
    const char* description;
    UINT operation;
    const char* to;
    const char* hardLink;  // another name of src/a.jpg, or nullptr
};

class SameFileTest : public ShellFileOperationTest, public ::testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFileTest, FailsAndChangesNothing)
{
    Write(Path("src/a.jpg"), "precious photo");
    if (GetParam().hardLink) {
        ASSERT_EQ(link(Path("src/a.jpg").c_str(), Path(GetParam().hardLink).c_str()), 0);
    }
    const Names sourceBefore = Entries(Path("src"));
    const Names destinationBefore = Entries(Path("dst"));

    EXPECT_NE(Run(GetParam().operation, {"a.jpg"}, Path(GetParam().to)), 0);

    EXPECT_EQ(Read(Path("src/a.jpg")), "precious photo");
    EXPECT_EQ(Entries(Path("src")), sourceBefore);
    EXPECT_EQ(Entries(Path("dst")), destinationBefore);
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Failed);
    EXPECT_EQ(Outcome(0).reason, kSameFile);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find(Path("src/a.jpg")), std::string::npos) << reports_[0];
    EXPECT_NE(reports_[0].find(kSameFile), std::string::npos) << reports_[0];
    EXPECT_EQ(Entries(HomeTrash() + "/files"), Names{});
    EXPECT_TRUE(aborted_);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameFileTest,
    ::testing::Values(SameFileCase{"CopyIntoItsOwnFolder", FO_COPY, "src/", nullptr},
                      SameFileCase{"MoveIntoItsOwnFolder", FO_MOVE, "src/", nullptr},
                      SameFileCase{"RenameToItsOwnName", FO_RENAME, "src/a.jpg", nullptr},
                      SameFileCase{"CopyOntoAHardLink", FO_COPY, "dst/", "dst/a.jpg"},
                      SameFileCase{"MoveOntoAHardLink", FO_MOVE, "dst/", "dst/a.jpg"},
                      SameFileCase{"RenameOntoAHardLinkNamedInOtherCase", FO_RENAME, "src/A.JPG", "src/A.JPG"}),
    [](const auto& info) { return std::string(info.param.description); });

struct NotAFileCase {
    const char* description;
    UINT operation;
    bool folder;  // else a symlink to a photo
    const char* reason;
};

class NotAFileTest : public ShellFileOperationTest, public ::testing::WithParamInterface<NotAFileCase> {};

TEST_P(NotAFileTest, FailsWithAClearReasonAndLeavesItAlone)
{
    Write(Path("dst/target.jpg"), "the real photo");
    if (GetParam().folder) {
        Write(Path("src/x.jpg/inside.jpg"), "inside");
    } else {
        ASSERT_EQ(symlink(Path("dst/target.jpg").c_str(), Path("src/x.jpg").c_str()), 0);
    }

    EXPECT_NE(Run(GetParam().operation, {"x.jpg"}, Path("dst/")), 0);

    EXPECT_TRUE(Exists(Path("src/x.jpg")));
    EXPECT_EQ(Read(Path("dst/target.jpg")), "the real photo");
    EXPECT_EQ(Entries(Path("dst")), Names{"target.jpg"});
    EXPECT_EQ(Entries(HomeTrash() + "/files"), Names{});
    EXPECT_EQ(Outcome(0).reason, GetParam().reason);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find(GetParam().reason), std::string::npos) << reports_[0];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotAFileTest,
    ::testing::Values(NotAFileCase{"MoveSymlink", FO_MOVE, false, "it is a symbolic link, not a file"},
                      NotAFileCase{"DeleteSymlink", FO_DELETE, false, "it is a symbolic link, not a file"},
                      NotAFileCase{"CopyFolder", FO_COPY, true, "it is a folder, not a file"},
                      NotAFileCase{"DeleteFolder", FO_DELETE, true, "it is a folder, not a file"}),
    [](const auto& info) { return std::string(info.param.description); });

TEST_F(ShellFileOperationTest, StopsAtTheFirstFailureAndKeepsWhatWasDone)
{
    Write(Path("src/a.jpg"), "a");
    Write(Path("src/c.jpg"), "c");

    EXPECT_EQ(Run(FO_MOVE, {"a.jpg", "missing.jpg", "c.jpg"}, Path("dst/")), ENOENT);

    EXPECT_EQ(Entries(Path("dst")), Names{"a.jpg"});
    EXPECT_EQ(Entries(Path("src")), Names{"c.jpg"});
    ASSERT_EQ(LastFileOperationOutcomes().size(), 3u);
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Done);
    EXPECT_EQ(Outcome(1).result, FileOperationOutcome::Failed);
    EXPECT_EQ(Outcome(1).source, Path("src/missing.jpg"));
    EXPECT_EQ(Outcome(1).reason, std::strerror(ENOENT));
    EXPECT_EQ(Outcome(2).result, FileOperationOutcome::NotRun);
    EXPECT_EQ(Outcome(2).source, Path("src/c.jpg"));
    EXPECT_TRUE(aborted_);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find(Path("src/missing.jpg")), std::string::npos) << reports_[0];
    EXPECT_NE(reports_[0].find(std::strerror(ENOENT)), std::string::npos) << reports_[0];
}

TEST_F(ShellFileOperationTest, NoErrorUiLeavesTheReportToTheCaller)
{
    EXPECT_EQ(Run(FO_DELETE, {"missing.jpg"}, Path("src/").c_str(), kProgramFlags | FOF_NOERRORUI), ENOENT);

    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Failed);
    EXPECT_TRUE(aborted_);
}

struct BadTargetCase {
    const char* description;
    UINT operation;
    Names names;
    std::optional<std::string> to;  // relative to the scratch folder when it has no leading "/"
};

class BadTargetTest : public ShellFileOperationTest, public ::testing::WithParamInterface<BadTargetCase> {};

TEST_P(BadTargetTest, FailsAndChangesNothing)
{
    Write(Path("src/a.jpg"), "a");
    Write(Path("src/b.jpg"), "b");
    std::string to;
    if (GetParam().to)
        to = GetParam().to->empty() || GetParam().to->front() == '/' ? *GetParam().to : Path(*GetParam().to);

    EXPECT_NE(Run(GetParam().operation, GetParam().names, GetParam().to ? to.c_str() : nullptr), 0);

    EXPECT_EQ(Entries(Path("src")), (Names{"a.jpg", "b.jpg"}));
    EXPECT_EQ(Entries(Path("dst")), Names{});
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Failed);
    for (std::size_t i = 1; i < LastFileOperationOutcomes().size(); ++i)
        EXPECT_EQ(Outcome(i).result, FileOperationOutcome::NotRun);
    EXPECT_EQ(reports_.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadTargetTest,
    ::testing::Values(BadTargetCase{"MoveToEmptyDestination", FO_MOVE, {"a.jpg", "b.jpg"}, ""},
                      BadTargetCase{"CopyToEmptyDestination", FO_COPY, {"a.jpg"}, ""},
                      BadTargetCase{"MoveWithoutDestination", FO_MOVE, {"a.jpg"}, std::nullopt},
                      BadTargetCase{"MoveToMissingFolder", FO_MOVE, {"a.jpg", "b.jpg"}, "nowhere/"},
                      BadTargetCase{"CopyToMissingFolder", FO_COPY, {"a.jpg"}, "nowhere/"},
                      BadTargetCase{"MoveIntoAFile", FO_MOVE, {"a.jpg"}, "src/b.jpg"},
                      BadTargetCase{"RenameWithoutTarget", FO_RENAME, {"a.jpg"}, std::nullopt},
                      BadTargetCase{"RenameToEmptyName", FO_RENAME, {"a.jpg"}, ""},
                      BadTargetCase{"RenameToAFolderPath", FO_RENAME, {"a.jpg"}, "dst/"},
                      BadTargetCase{"RenameIntoMissingFolder", FO_RENAME, {"a.jpg"}, "nowhere/a.jpg"},
                      BadTargetCase{"RenameOntoAFolder", FO_RENAME, {"a.jpg"}, "dst"},
                      BadTargetCase{"RenameOfTwoNames", FO_RENAME, {"a.jpg", "b.jpg"}, "dst/c.jpg"},
                      BadTargetCase{"UnknownOperation", 9, {"a.jpg"}, "dst/"}),
    [](const auto& info) { return std::string(info.param.description); });

TEST_F(ShellFileOperationTest, RenameResolvesARelativeTargetAgainstTheCurrentFolder)
{
    Write(Path("src/a.jpg"), "photo");
    std::filesystem::create_directories(Path("src/Keep"));

    ASSERT_EQ(Run(FO_RENAME, {"a.jpg"}, "Keep/a.jpg"), 0);

    EXPECT_EQ(Read(Path("src/Keep/a.jpg")), "photo");
    EXPECT_EQ(Outcome(0).destination, Path("src/Keep/a.jpg"));
}

TEST_F(ShellFileOperationTest, SetCurrentDirectoryReportsWhetherItWorked)
{
    EXPECT_NE(SetCurrentDirectoryA((Path("dst") + "/").c_str()), 0);
    EXPECT_EQ(std::filesystem::current_path(), Path("dst"));

    EXPECT_EQ(SetCurrentDirectoryA(Path("gone/").c_str()), 0);
    EXPECT_EQ(SetCurrentDirectoryA(""), 0);
    EXPECT_EQ(std::filesystem::current_path(), Path("dst"));
}

struct AcrossCase {
    const char* description;
    UINT operation;
    const char* to;  // relative to the scratch folder
    bool sourceStays;
};

class AcrossFilesystemsTest : public ShellFileOperationTest, public ::testing::WithParamInterface<AcrossCase> {};

TEST_P(AcrossFilesystemsTest, KeepsModeAndTimeAndRemovesTheSourceOnlyForAMove)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    const std::string photo(300'000, 'p');
    Write(Path("src/a.jpg"), photo);
    SetModeAndTime(Path("src/a.jpg"), 0604);

    ASSERT_EQ(Run(GetParam().operation, {"a.jpg"}, Path(GetParam().to)), 0);

    EXPECT_EQ(Read(Path("card/a.jpg")), photo);
    ExpectModeAndTime(Path("card/a.jpg"), 0604);
    EXPECT_EQ(Entries(Path("card")), Names{"a.jpg"});
    EXPECT_EQ(Exists(Path("src/a.jpg")), GetParam().sourceStays);
}

TEST_P(AcrossFilesystemsTest, NoSpaceLeavesNoTemporaryAndKeepsBothFiles)
{
    if (!MountTmpfs("card", "256k"))
        GTEST_SKIP() << kNeedsTmpfs;
    const std::string photo(2'000'000, 'p');
    Write(Path("src/a.jpg"), photo);
    Write(Path("card/a.jpg"), "the older a.jpg");

    EXPECT_EQ(Run(GetParam().operation, {"a.jpg"}, Path(GetParam().to)), ENOSPC);

    EXPECT_EQ(Read(Path("src/a.jpg")), photo);
    EXPECT_EQ(Entries(Path("card")), Names{"a.jpg"});
    EXPECT_EQ(Read(Path("card/a.jpg")), "the older a.jpg");
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Failed);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find(std::strerror(ENOSPC)), std::string::npos) << reports_[0];
}

TEST_P(AcrossFilesystemsTest, ReplacedFileGoesToTheTrashOfItsOwnFilesystem)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    Write(Path("src/a.jpg"), "new");
    Write(Path("card/a.jpg"), "old");

    ASSERT_EQ(Run(GetParam().operation, {"a.jpg"}, Path(GetParam().to)), 0);

    EXPECT_EQ(Read(Path("card/a.jpg")), "new");
    const std::string trash = Path("card/.Trash-" + std::to_string(getuid()));
    EXPECT_EQ(Outcome(0).trashed, trash + "/files/a.jpg");
    EXPECT_EQ(Read(trash + "/files/a.jpg"), "old");
    EXPECT_NE(Read(trash + "/info/a.jpg.trashinfo").find("\nPath=a.jpg\n"), std::string::npos);
    EXPECT_EQ(Entries(HomeTrash() + "/files"), Names{});
}

INSTANTIATE_TEST_SUITE_P(Operations, AcrossFilesystemsTest,
                         ::testing::Values(AcrossCase{"Move", FO_MOVE, "card/", false},
                                           AcrossCase{"Copy", FO_COPY, "card/", true},
                                           AcrossCase{"Rename", FO_RENAME, "card/a.jpg", false}),
                         [](const auto& info) { return std::string(info.param.description); });

TEST_F(ShellFileOperationTest, DeleteWithoutAUsableTrashFailsForThatFile)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    ASSERT_EQ(symlink("/tmp", Path("card/.Trash-" + std::to_string(getuid())).c_str()), 0);
    Write(Path("card/a.jpg"), "a");
    Write(Path("card/b.jpg"), "b");
    ASSERT_NE(SetCurrentDirectoryA(Path("card/").c_str()), 0);

    EXPECT_NE(Run(FO_DELETE, {"a.jpg", "b.jpg"}, Path("card/")), 0);

    EXPECT_EQ(Read(Path("card/a.jpg")), "a");
    EXPECT_EQ(Read(Path("card/b.jpg")), "b");
    EXPECT_EQ(Outcome(0).result, FileOperationOutcome::Failed);
    EXPECT_EQ(Outcome(1).result, FileOperationOutcome::NotRun);
    EXPECT_EQ(Entries(HomeTrash() + "/files"), Names{});
}

// A camera card ignores letter case: renaming a.jpg to A.JPG must still change the name.
TEST_F(ShellFileOperationTest, CaseOnlyRenameOnACaseInsensitiveFilesystem)
{
    if (!MountTmpfs("card", "4m"))
        GTEST_SKIP() << kNeedsTmpfs;
    ASSERT_EQ(umount2(Path("card").c_str(), 0), 0);
    if (mount("none", Path("card").c_str(), "tmpfs", 0, "size=4m,casefold") != 0) {
        mount("none", Path("card").c_str(), "tmpfs", 0, "size=4m");  // for the fixture to unmount
        GTEST_SKIP() << "this kernel's tmpfs cannot ignore letter case";
    }
    std::filesystem::create_directories(Path("card/DCIM"));
    const int folder = open(Path("card/DCIM").c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    ioctl(folder, FS_IOC_GETFLAGS, &flags);
    flags |= FS_CASEFOLD_FL;
    ASSERT_EQ(ioctl(folder, FS_IOC_SETFLAGS, &flags), 0);
    close(folder);
    Write(Path("card/DCIM/a.jpg"), "photo");
    ASSERT_NE(SetCurrentDirectoryA(Path("card/DCIM/").c_str()), 0);

    ASSERT_EQ(Run(FO_RENAME, {"a.jpg"}, Path("card/DCIM/A.JPG")), 0);

    EXPECT_EQ(Entries(Path("card/DCIM")), Names{"A.JPG"});
    EXPECT_EQ(Read(Path("card/DCIM/A.JPG")), "photo");
}

}  // namespace
