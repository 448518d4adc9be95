#include <QCryptographicHash>
#include <QTest>

#include <climits>
#include <fnmatch.h>
#include <functional>
#include <map>
#include <sys/mount.h>

#include "platform/Button.h"
#include "platform/Edit.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PaneFixture.h"
#include "windows/rename.h"

// Drops, deletes and renames started from the lists, each against a fault of the disk or of the
// folders. Whatever happens, every photo is found again (in a folder or in a trash, with its record)
// and each list shows exactly the names in its folder.
class FaultMatrix;

struct FaultCase {
    const char* id;
    std::function<void(FaultMatrix&)> arrange;  // folders, lists and the fault, before the inventory
    std::function<void(FaultMatrix&)> act;
    const char* reportSays;  // nullptr: nothing is reported; else the first report contains it
    std::function<void(FaultMatrix&)> check = nullptr;  // where this case must have put things
    bool needsRoot = false;  // mounts a filesystem of its own
};

class FaultMatrix : public PaneFixture, public ::testing::WithParamInterface<FaultCase> {
public:
    using NameList = std::vector<std::string>;
    using FileOperationFixture::Entries;
    using FileOperationFixture::HomeTrash;
    using FileOperationFixture::Path;
    using FileOperationFixture::Read;
    using FileOperationFixture::reports_;

    // Photos of distinct content, so that each one's checksum names it alone.
    void Folder(const std::string& folder, const NameList& names)
    {
        std::filesystem::create_directories(Path(folder));
        for (const std::string& name : names)
            Photo(folder + "/" + name, 32, 24, 0x102030u + 0x050301u * static_cast<std::uint32_t>(++photos_));
    }

    // A photo-like picture larger than a 256 KB volume.
    void LargePhoto(const std::string& relative)
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        const auto jpeg = MakeJpeg({.width = 900, .height = 700, .quality = 95});
        ASSERT_GT(jpeg.size(), 256u * 1024);
        WriteBytes(Path(relative), jpeg);
    }

    void Show(TDDListBox* list, const std::string& folder) { list->SetDirectory(Path(folder)); }

    void Mount(const std::string& relative, const std::string& size = "4m")
    {
        ASSERT_TRUE(MountTmpfs(relative, size)) << "cannot mount a tmpfs at " << relative;
    }

    void RemountReadOnly(const std::string& relative)
    {
        ASSERT_EQ(mount("none", Path(relative).c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }

    // Makes these entries the ones a command acts on: the current entry for one name, the selection
    // (with Auto Show off) for several.
    static void Choose(TDDListBox* list, const NameList& names)
    {
        if (names.size() == 1) {
            list->SetItemIndex(list->Items().IndexOf(names.front()));
            ASSERT_NE(list->ItemIndex(), -1) << names.front();
            return;
        }
        if (!list->MultiSelect())
            list->AutoShowClick(nullptr);
        for (int i = 0; i < list->Items().Count(); ++i)
            list->SetSelected(i, false);
        for (const std::string& name : names) {
            ASSERT_NE(list->Items().IndexOf(name), -1) << name;
            list->SetSelected(list->Items().IndexOf(name), true);
        }
    }

    // S's entries dragged onto T, as the drag facility delivers the drop.
    void Drop(TAction action, const NameList& names) { Drop(action, names, T); }
    void Drop(TAction action, const NameList& names, TDDListBox* target)
    {
        Choose(S, names);
        S->SetAction(action);
        RunReportingErrors([&] { target->DragDrop(S, 0, 0); });
    }

    void Delete(const NameList& names)
    {
        Choose(S, names);
        RunReportingErrors([&] { S->DeleteClick(nullptr); });
    }

    // The rename command with newText typed into its dialog and OK pressed.
    void Rename(const std::string& name, const std::string& newText)
    {
        Choose(S, {name});
        AnswerNextModal([newText](QWidget*) {
            OKRightDlg->Edit1->SetText(newText);
            QTest::mouseClick(OKRightDlg->OKBtn->Widget(), Qt::LeftButton);
        });
        RunReportingErrors([&] { S->RenameClick(nullptr); });
    }

    bool IsIn(const std::string& relative) { return Exists(Path(relative)); }

    void TakeInventory() { before_ = Checksums(); }

    void ExpectEveryPhotoKept()
    {
        const auto after = Checksums();
        for (const auto& [checksum, where] : before_) {
            const auto found = after.find(checksum);
            EXPECT_TRUE(found != after.end() && found->second.size() >= where.size())
                << "lost: the photo that was at " << where.front();
        }
    }

    // Every list with a folder shows each *.jpg name of it once, and nothing else.
    void ExpectListsShowTheirFolders()
    {
        for (const TDDListBox* list : {S, T}) {
            if (list->Directory().empty())
                continue;
            NameList shown = Names(list);
            std::sort(shown.begin(), shown.end());
            EXPECT_EQ(shown, JpgNamesIn(list->Directory())) << list->Name() << " shows " << list->Directory();
        }
    }

    void ExpectReport(const char* says)
    {
        if (!says) {
            EXPECT_TRUE(reports_.empty()) << reports_.front();
            return;
        }
        ASSERT_FALSE(reports_.empty()) << "no report; expected one saying " << says;
        EXPECT_NE(reports_.front().find(says), std::string::npos) << reports_.front();
    }

    TDDListBox* S = nullptr;
    TDDListBox* T = nullptr;

protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        S = left_.list;
        T = right_.list;
    }

private:
    static bool IsTrashFolderName(const std::string& name)
    {
        return name == "Trash" || name.rfind(".Trash-", 0) == 0;
    }

    // TRASH/files/NAME, where TRASH is a home trash, .Trash-UID or .Trash/UID.
    static bool IsInTrash(const std::filesystem::path& file)
    {
        const auto files = file.parent_path();
        const auto trash = files.parent_path();
        return files.filename() == "files"
               && (IsTrashFolderName(trash.filename()) || trash.parent_path().filename() == ".Trash");
    }

    static NameList JpgNamesIn(const std::string& folder)
    {
        NameList names;
        for (const std::string& name : Entries(folder))
            if (fnmatch("*.jpg", name.c_str(), FNM_CASEFOLD) == 0)
                names.push_back(name);
        return names;
    }

    // Checksum of every regular file in the scratch folder, with where it lies. A file counts only
    // in a folder under a visible name or in a trash with its record: a temporary or an orphan in
    // the trash is nowhere a user would look. Any such leftover fails the test.
    std::map<QByteArray, NameList> Checksums()
    {
        std::map<QByteArray, NameList> sums;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(Path(""), error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            const std::filesystem::path path = it->path();
            const std::string name = path.filename();
            if (it->symlink_status().type() != std::filesystem::file_type::regular)
                continue;
            if (path.parent_path().filename() == "info" && Exists(path.parent_path().parent_path() / "files"))
                continue;  // a trash record, checked from its file
            if (IsInTrash(path)) {
                const auto record = path.parent_path().parent_path() / "info" / (name + ".trashinfo");
                EXPECT_TRUE(Exists(record)) << "no record for " << path;
            } else if (name.front() == '.') {
                ADD_FAILURE() << "left behind: " << path;
                continue;
            }
            const std::string content = Read(path);
            sums[QCryptographicHash::hash(QByteArray::fromStdString(content), QCryptographicHash::Sha256)]
                .push_back(path);
        }
        EXPECT_FALSE(error) << error.message();
        return sums;
    }

    int photos_ = 0;
    std::map<QByteArray, NameList> before_;
};

namespace {

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    return info.param.id;
}

}  // namespace

void PrintTo(const FaultCase& c, std::ostream* out)
{
    *out << c.id;
}

namespace {

std::string Repeated(const std::string& text, std::size_t times)
{
    std::string result;
    for (std::size_t i = 0; i < times; ++i)
        result += text;
    return result;
}

const std::string kNoSpace = std::strerror(ENOSPC);
const std::string kReadOnlyReason = std::strerror(EROFS);
const std::string kMissing = std::strerror(ENOENT);

}  // namespace

TEST_P(FaultMatrix, KeepsEveryPhotoAndListsShowWhatIsOnDisk)
{
    const FaultCase& c = GetParam();
    if (c.needsRoot && geteuid() != 0)
        GTEST_SKIP() << kNeedsTmpfs;
    c.arrange(*this);
    ASSERT_FALSE(HasFatalFailure());
    TakeInventory();
    reports_.clear();

    c.act(*this);

    ExpectEveryPhotoKept();
    ExpectListsShowTheirFolders();
    ExpectReport(c.reportSays);
    if (c.check)
        c.check(*this);
}

// The destination is another filesystem: a copy, flushed and checked, then the original goes.
const FaultCase kAcrossFilesystems[] = {
    {"MoveOne",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("vol/Keep", {"z.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p2.jpg"}); }, nullptr,
     [](FaultMatrix& f) {
         EXPECT_TRUE(f.IsIn("vol/Keep/p2.jpg"));
         EXPECT_FALSE(f.IsIn("Inbox/p2.jpg"));
     },
     true},
    {"CopySeveral",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
         f.Folder("vol/Keep", {});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p3.jpg"}); }, nullptr,
     [](FaultMatrix& f) { EXPECT_EQ(f.Read(f.Path("vol/Keep/p3.jpg")), f.Read(f.Path("Inbox/p3.jpg"))); }, true},
    {"MoveSeveralOffTheVolume",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("vol/Card", {"p1.jpg", "p2.jpg", "p3.jpg"});
         f.Folder("Keep", {});
         f.Show(f.S, "vol/Card");
         f.Show(f.T, "Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg", "p2.jpg", "p3.jpg"}); }, nullptr,
     [](FaultMatrix& f) { EXPECT_EQ(f.Entries(f.Path("vol/Card")), FaultMatrix::NameList{}); }, true},
};
INSTANTIATE_TEST_SUITE_P(AcrossFilesystems, FaultMatrix, ::testing::ValuesIn(kAcrossFilesystems), CaseName);

// A destination of 256 KB: the large photo runs out of space in the middle of its copy.
const FaultCase kDestinationFull[] = {
    {"MoveLargeOne",
     [](FaultMatrix& f) {
         f.Mount("vol", "256k");
         f.Folder("Inbox", {"small.jpg"});
         f.LargePhoto("Inbox/large.jpg");
         f.Folder("vol/Keep", {"z.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"large.jpg"}); }, kNoSpace.c_str(),
     [](FaultMatrix& f) {
         EXPECT_FALSE(f.IsIn("vol/Keep/large.jpg"));
         EXPECT_TRUE(f.IsIn("Inbox/large.jpg"));
     },
     true},
    {"CopyLargeOne",
     [](FaultMatrix& f) {
         f.Mount("vol", "256k");
         f.LargePhoto("Inbox/large.jpg");
         f.Folder("vol/Keep", {});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"large.jpg"}); }, kNoSpace.c_str(), nullptr, true},
    {"MoveSeveralOfWhichTheFirstFits",
     [](FaultMatrix& f) {
         f.Mount("vol", "256k");
         f.Folder("Inbox", {"a.jpg", "c.jpg"});
         f.LargePhoto("Inbox/b.jpg");
         f.Folder("vol/Keep", {});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"a.jpg", "b.jpg", "c.jpg"}); }, kNoSpace.c_str(),
     [](FaultMatrix& f) {
         EXPECT_EQ(f.Entries(f.Path("vol/Keep")), FaultMatrix::NameList{"a.jpg"});
         EXPECT_EQ(f.Entries(f.Path("Inbox")), (FaultMatrix::NameList{"b.jpg", "c.jpg"}));
     },
     true},
    {"CopyOverASameNamedFile",
     [](FaultMatrix& f) {
         f.Mount("vol", "256k");
         f.LargePhoto("Inbox/p1.jpg");
         f.Folder("Inbox", {"p2.jpg"});
         f.Folder("vol/Keep", {"p1.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p2.jpg"}); }, kNoSpace.c_str(),
     [](FaultMatrix& f) { EXPECT_EQ(f.Entries(f.Path("vol/Keep")), FaultMatrix::NameList{"p1.jpg"}); }, true},
};
INSTANTIATE_TEST_SUITE_P(DestinationFull, FaultMatrix, ::testing::ValuesIn(kDestinationFull), CaseName);

// A read-only volume (EROFS: the tests run as root, which mode bits do not stop).
const FaultCase kReadOnlyVolume[] = {
    {"MoveOntoIt",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg"});
         f.Folder("vol/Keep", {"z.jpg"});
         f.RemountReadOnly("vol");
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, kReadOnlyReason.c_str(), nullptr, true},
    {"CopySeveralOntoIt",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("vol/Keep", {"p2.jpg"});
         f.RemountReadOnly("vol");
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p2.jpg"}); }, kReadOnlyReason.c_str(), nullptr, true},
    {"MoveOffIt",  // the copy arrives; the original cannot go
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("vol/Card", {"p1.jpg", "p2.jpg"});
         f.Folder("Keep", {});
         f.RemountReadOnly("vol");
         f.Show(f.S, "vol/Card");
         f.Show(f.T, "Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, kReadOnlyReason.c_str(),
     [](FaultMatrix& f) {
         EXPECT_TRUE(f.IsIn("Keep/p1.jpg"));
         EXPECT_TRUE(f.IsIn("vol/Card/p1.jpg"));
     },
     true},
    {"MoveWithinIt",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("vol/Card", {"p1.jpg"});
         f.Folder("vol/Keep", {});
         f.RemountReadOnly("vol");
         f.Show(f.S, "vol/Card");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, kReadOnlyReason.c_str(), nullptr, true},
    {"DeleteOnIt",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("vol/Card", {"p1.jpg", "p2.jpg"});
         f.RemountReadOnly("vol");
         f.Show(f.S, "vol/Card");
     },
     [](FaultMatrix& f) { f.Delete({"p1.jpg", "p2.jpg"}); }, "p1.jpg", nullptr, true},
    {"RenameOnIt",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("vol/Card", {"p1.jpg", "p2.jpg"});
         f.RemountReadOnly("vol");
         f.Show(f.S, "vol/Card");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "p2.jpg"); }, kReadOnlyReason.c_str(), nullptr, true},
};
INSTANTIATE_TEST_SUITE_P(ReadOnly, FaultMatrix, ::testing::ValuesIn(kReadOnlyVolume), CaseName);

// Files and folders that went away after the lists were read.
const FaultCase kVanished[] = {
    {"SourceFileBeforeAMove",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("Keep", {"z.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         std::filesystem::remove(f.Path("Inbox/p2.jpg"));
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p2.jpg"}); }, kMissing.c_str()},
    {"SourceFileBeforeACopy",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("Keep", {});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         std::filesystem::remove(f.Path("Inbox/p1.jpg"));
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg"}); }, kMissing.c_str()},
    {"OneOfSeveralBeforeADelete",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
         f.Show(f.S, "Inbox");
         std::filesystem::remove(f.Path("Inbox/p2.jpg"));
     },
     [](FaultMatrix& f) { f.Delete({"p1.jpg", "p2.jpg", "p3.jpg"}); }, kMissing.c_str(),
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("data/Trash/files/p1.jpg")); }},
    {"SourceFileBeforeADelete",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Show(f.S, "Inbox");
         std::filesystem::remove(f.Path("Inbox/p1.jpg"));
     },
     [](FaultMatrix& f) { f.Delete({"p1.jpg"}); }, kMissing.c_str()},
    {"SourceFileBeforeARename",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Show(f.S, "Inbox");
         std::filesystem::remove(f.Path("Inbox/p1.jpg"));
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "p2.jpg"); }, kMissing.c_str(),
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("Inbox/p2.jpg")); }},
    {"SourceFolderBeforeAMove",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Folder("Keep", {"z.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         std::filesystem::remove_all(f.Path("Inbox"));
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, "Inbox"},
    {"SourceFolderBeforeADelete",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Show(f.S, "Inbox");
         std::filesystem::remove_all(f.Path("Inbox"));
     },
     [](FaultMatrix& f) { f.Delete({"p1.jpg"}); }, "Inbox"},
    {"SourceFolderBeforeARename",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Show(f.S, "Inbox");
         std::filesystem::remove_all(f.Path("Inbox"));
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "p2.jpg"); }, "Inbox"},
    {"DestinationFolderBeforeAMove",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Folder("Keep", {"z.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         std::filesystem::remove_all(f.Path("Keep"));
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, "Keep"},
    {"DestinationFolderBeforeACopyOfSeveral",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("Keep", {"p1.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         std::filesystem::rename(f.Path("Keep"), f.Path("Elsewhere"));
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p2.jpg"}); }, "Keep"},
    {"RenameTargetFolder",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "../Gone/p1.jpg"); }, kMissing.c_str()},
};
INSTANTIATE_TEST_SUITE_P(Vanished, FaultMatrix, ::testing::ValuesIn(kVanished), CaseName);

// A file of the same name at the destination goes to the trash; the lists show the name once.
const FaultCase kSameNameAtTheDestination[] = {
    {"MoveOneTheTargetDoesNotShowYet",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Folder("Keep", {});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
         f.Folder("Keep", {"p1.jpg"});  // arrived after the list was read
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}); }, nullptr,
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("data/Trash/files/p1.jpg")); }},
    {"CopyOneTheTargetShows",  // the target shows the name: nothing happens
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Folder("Keep", {"p1.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg"}); }, nullptr,
     [](FaultMatrix& f) { EXPECT_FALSE(f.IsIn("data/Trash/files")); }},
    {"MoveSeveral",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
         f.Folder("Keep", {"p2.jpg", "p3.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg", "p2.jpg", "p3.jpg"}); }, nullptr,
     [](FaultMatrix& f) {
         EXPECT_EQ(f.Entries(f.HomeTrash() + "/files"), (FaultMatrix::NameList{"p2.jpg", "p3.jpg"}));
     }},
    {"CopySeveralAcrossFilesystems",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("vol/Keep", {"p1.jpg", "p2.jpg"});
         f.Show(f.S, "Inbox");
         f.Show(f.T, "vol/Keep");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p2.jpg"}); }, nullptr,
     [](FaultMatrix& f) {
         EXPECT_EQ(f.Entries(f.Path("vol/.Trash-" + std::to_string(getuid()) + "/files")),
                   (FaultMatrix::NameList{"p1.jpg", "p2.jpg"}));
     },
     true},
    {"RenameInPlace",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "p3.jpg"); }, nullptr,
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("data/Trash/files/p3.jpg")); }},
    {"RenameByRelativePath",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("Keep", {"p1.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "../Keep/p1.jpg"); }, nullptr,
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("data/Trash/files/p1.jpg")); }},
    {"RenameByAbsolutePathAcrossFilesystems",
     [](FaultMatrix& f) {
         f.Mount("vol");
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Folder("vol/Keep", {"new.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", f.Path("vol/Keep/new.jpg")); }, nullptr,
     [](FaultMatrix& f) {
         EXPECT_TRUE(f.IsIn("vol/.Trash-" + std::to_string(getuid()) + "/files/new.jpg"));
         EXPECT_FALSE(f.IsIn("Inbox/p1.jpg"));
     },
     true},
};
INSTANTIATE_TEST_SUITE_P(SameNameAtTheDestination, FaultMatrix, ::testing::ValuesIn(kSameNameAtTheDestination),
                         CaseName);

// Source and destination are one file: nothing changes, nothing is truncated.
const FaultCase kOntoItself[] = {
    {"OneOntoItsOwnList",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg"}, f.S); }, nullptr},
    {"SeveralCopiedOntoTheSameFolderThroughALink",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         std::filesystem::create_directory_symlink(f.Path("Inbox"), f.Path("Link"));
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Link");
     },
     [](FaultMatrix& f) { f.Drop(taCopy, {"p1.jpg", "p2.jpg"}); }, "same file"},
    {"SeveralMovedOntoTheirOwnList",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg", "p2.jpg"}, f.S); }, "same file"},
    {"MovedOntoAHardLinkOfItself",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg", "p2.jpg"});
         std::filesystem::create_directories(f.Path("Keep"));
         std::filesystem::create_hard_link(f.Path("Inbox/p1.jpg"), f.Path("Keep/p1.jpg"));
         f.Show(f.S, "Inbox");
         f.Show(f.T, "Keep");
     },
     [](FaultMatrix& f) { f.Drop(taMove, {"p1.jpg", "p2.jpg"}); }, "same file",
     [](FaultMatrix& f) { EXPECT_TRUE(f.IsIn("Inbox/p1.jpg")); }},
    {"RenamedToItsOwnName",  // OK on the unchanged name does nothing
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", "p1.jpg"); }, nullptr},
    {"RenamedToItsOwnPathThroughALink",
     [](FaultMatrix& f) {
         f.Folder("Inbox", {"p1.jpg"});
         std::filesystem::create_directory_symlink(f.Path("Inbox"), f.Path("Link"));
         f.Show(f.S, "Inbox");
     },
     [](FaultMatrix& f) { f.Rename("p1.jpg", f.Path("Link/p1.jpg")); }, "same file"},
};
INSTANTIATE_TEST_SUITE_P(OntoItself, FaultMatrix, ::testing::ValuesIn(kOntoItself), CaseName);

// Entries named like photos that are no plain file: refused, and what they lead to stays.
FaultCase NotAFile(const char* id, std::function<void(FaultMatrix&)> act)
{
    return {id,
            [](FaultMatrix& f) {
                f.Folder("Elsewhere", {"real.jpg"});
                f.Folder("Inbox/folder.jpg", {"inside.jpg"});
                f.Folder("Inbox", {"p1.jpg"});
                std::filesystem::create_symlink(f.Path("Elsewhere/real.jpg"), f.Path("Inbox/link.jpg"));
                f.Folder("Keep", {});
                f.Show(f.S, "Inbox");
                f.Show(f.T, "Keep");
            },
            std::move(act), "not a file",
            [](FaultMatrix& f) {
                EXPECT_EQ(f.Entries(f.Path("Inbox/folder.jpg")), FaultMatrix::NameList{"inside.jpg"});
                EXPECT_TRUE(std::filesystem::is_symlink(f.Path("Inbox/link.jpg")));
                EXPECT_EQ(f.Entries(f.Path("Keep")), FaultMatrix::NameList{});
            }};
}
const FaultCase kNotAFile[] = {
    NotAFile("MoveALink", [](FaultMatrix& f) { f.Drop(taMove, {"link.jpg"}); }),
    NotAFile("CopyAFolder", [](FaultMatrix& f) { f.Drop(taCopy, {"folder.jpg"}); }),
    NotAFile("MoveSeveral", [](FaultMatrix& f) { f.Drop(taMove, {"folder.jpg", "link.jpg"}); }),
    NotAFile("DeleteALink", [](FaultMatrix& f) { f.Delete({"link.jpg"}); }),
    NotAFile("DeleteAFolder", [](FaultMatrix& f) { f.Delete({"folder.jpg"}); }),
    NotAFile("RenameALink", [](FaultMatrix& f) { f.Rename("link.jpg", "p9.jpg"); }),
    NotAFile("RenameAFolder", [](FaultMatrix& f) { f.Rename("folder.jpg", "p9.jpg"); }),
};
INSTANTIATE_TEST_SUITE_P(NotAFile, FaultMatrix, ::testing::ValuesIn(kNotAFile), CaseName);

// Names that shells, URIs, trash records and temporary names find awkward; each goes through every
// command unchanged.
const std::pair<const char*, std::string> kAwkwardNames[] = {
    {"Spaces", "my  photo .jpg"},
    {"Utf8", "Ørsted – café 写真.jpg"},
    {"Percent", "100% 25%41.jpg"},
    {"Hash", "#1 #top.jpg"},
    {"Newline", "line\nbreak.jpg"},
    {"LeadingDash", "-rf --help.jpg"},
    {"LongestAscii", Repeated("a", NAME_MAX - 4) + ".jpg"},
    {"LongestUtf8", Repeated("\u00e9", (NAME_MAX - 5) / 2) + "x.jpg"},
};

std::vector<FaultCase> AwkwardNameCases()
{
    std::vector<FaultCase> cases;
    static std::vector<std::string> ids;  // the cases keep pointers to their ids
    ids.reserve(std::size(kAwkwardNames) * 5);
    for (const auto& [label, name] : kAwkwardNames) {
        auto arrange = [name](FaultMatrix& f) {
            f.Folder("Inbox", {name, "plain.jpg"});
            f.Folder("Keep", {});
            f.Show(f.S, "Inbox");
            f.Show(f.T, "Keep");
        };
        auto arrangeOnVolume = [name](FaultMatrix& f) {
            f.Mount("vol");
            f.Folder("vol/Card", {name, "plain.jpg"});
            f.Folder("Keep", {});
            f.Show(f.S, "vol/Card");
            f.Show(f.T, "Keep");
        };
        auto arrived = [name](const std::string& folder) {
            return [name, folder](FaultMatrix& f) { EXPECT_TRUE(f.IsIn(folder + "/" + name)); };
        };
        // The trash shortens the longest names, to leave room for the record's suffix: the inventory
        // finds the photo there by its content.
        auto gone = [name](const std::string& folder) {
            return [name, folder](FaultMatrix& f) { EXPECT_FALSE(f.IsIn(folder + "/" + name)); };
        };
        cases.push_back({ids.emplace_back(std::string("Move") + label).c_str(), arrange,
                         [name](FaultMatrix& f) { f.Drop(taMove, {name}); }, nullptr, arrived("Keep")});
        cases.push_back({ids.emplace_back(std::string("MoveAcrossFilesystems") + label).c_str(), arrangeOnVolume,
                         [name](FaultMatrix& f) { f.Drop(taMove, {name, "plain.jpg"}); }, nullptr, arrived("Keep"), true});
        cases.push_back({ids.emplace_back(std::string("Delete") + label).c_str(), arrange,
                         [name](FaultMatrix& f) { f.Delete({name}); }, nullptr, gone("Inbox")});
        cases.push_back({ids.emplace_back(std::string("DeleteOnAVolume") + label).c_str(), arrangeOnVolume,
                         [name](FaultMatrix& f) { f.Delete({name, "plain.jpg"}); }, nullptr,
                         gone("vol/Card"), true});
        cases.push_back({ids.emplace_back(std::string("RenameTo") + label).c_str(),
                         [](FaultMatrix& f) {
                             f.Folder("Inbox", {"plain.jpg"});
                             f.Show(f.S, "Inbox");
                         },
                         [name](FaultMatrix& f) { f.Rename("plain.jpg", name); }, nullptr, arrived("Inbox")});
    }
    return cases;
}
INSTANTIATE_TEST_SUITE_P(AwkwardNames, FaultMatrix, ::testing::ValuesIn(AwkwardNameCases()), CaseName);

// The trash of a volume is used only when it is safe: $topdir/.Trash must be a real, sticky folder
// and the user's folders in it and .Trash-UID must be the user's own. Otherwise the next one is
// tried, and with none left the file stays where it is.
FaultCase OnAVolumeWhoseTrash(const char* id, std::function<void(FaultMatrix&)> spoil, bool usable)
{
    return {id,
            [spoil](FaultMatrix& f) {
                f.Mount("vol");
                f.Folder("vol/Card", {"p1.jpg", "p2.jpg", "p3.jpg"});
                f.Folder("vol/Keep", {"p2.jpg"});
                std::filesystem::create_directories(f.Path("vol/shared/" + std::to_string(getuid())));
                ASSERT_EQ(chmod(f.Path("vol/shared").c_str(), 01777), 0);
                spoil(f);
                f.Show(f.S, "vol/Card");
                f.Show(f.T, "vol/Keep");
            },
            [](FaultMatrix& f) {
                f.Delete({"p1.jpg"});
                f.Drop(taMove, {"p2.jpg", "p3.jpg"});  // replacing p2.jpg needs the same trash
            },
            usable ? nullptr : "no usable trash",
            [usable](FaultMatrix& f) {
                EXPECT_EQ(f.Entries(f.Path("vol/shared/" + std::to_string(getuid()))), FaultMatrix::NameList{});
                const std::string trash = "vol/.Trash-" + std::to_string(getuid()) + "/files/";
                EXPECT_EQ(f.IsIn(trash + "p1.jpg"), usable);
                EXPECT_EQ(f.IsIn(trash + "p2.jpg"), usable);
                EXPECT_EQ(f.reports_.size(), usable ? 0u : 2u);
            },
            true};
}
const FaultCase kTrashRules[] = {
    OnAVolumeWhoseTrash(
        "IsASymlinkedSharedFolder",
        [](FaultMatrix& f) { std::filesystem::create_directory_symlink(f.Path("vol/shared"), f.Path("vol/.Trash")); },
        true),
    OnAVolumeWhoseTrash(
        "IsASharedFolderWithoutStickyBit",
        [](FaultMatrix& f) {
            std::filesystem::rename(f.Path("vol/shared"), f.Path("vol/.Trash"));
            ASSERT_EQ(chmod(f.Path("vol/.Trash").c_str(), 0777), 0);
            std::filesystem::create_directories(f.Path("vol/shared/" + std::to_string(getuid())));
        },
        true),
    OnAVolumeWhoseTrash(
        "HasAUserFolderOwnedBySomeoneElse",
        [](FaultMatrix& f) {
            std::filesystem::create_directories(f.Path("vol/.Trash/" + std::to_string(getuid())));
            ASSERT_EQ(chmod(f.Path("vol/.Trash").c_str(), 01777), 0);
            ASSERT_EQ(chown(f.Path("vol/.Trash/" + std::to_string(getuid())).c_str(), getuid() + 4242, 0), 0);
        },
        true),
    OnAVolumeWhoseTrash(
        "IsAPrivateFolderOwnedBySomeoneElse",
        [](FaultMatrix& f) {
            std::filesystem::create_directories(f.Path("vol/.Trash-" + std::to_string(getuid())));
            ASSERT_EQ(chown(f.Path("vol/.Trash-" + std::to_string(getuid())).c_str(), getuid() + 4242, 0), 0);
        },
        false),
    OnAVolumeWhoseTrash(
        "IsAPrivateSymlink",
        [](FaultMatrix& f) {
            std::filesystem::create_directory_symlink(f.Path("vol/shared/" + std::to_string(getuid())),
                                                      f.Path("vol/.Trash-" + std::to_string(getuid())));
        },
        false),
};
INSTANTIATE_TEST_SUITE_P(VolumeTrash, FaultMatrix, ::testing::ValuesIn(kTrashRules), CaseName);
