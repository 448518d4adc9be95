#include <QApplication>
#include <unistd.h>

#include "tests/support/PaneFixture.h"

namespace {
std::vector<std::string> Photos(std::initializer_list<int> numbers)
{
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back("p" + std::to_string(n) + ".jpg");
    return names;
}

std::string CurrentDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}
}  // namespace

// Seven photos p0.jpg to p6.jpg in both lists, each a picture of its own colour and width.
class DeleteCommand : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        Prepare();
    }

    void Prepare()
    {
        for (const char* folder : {"photos", "data"})
            std::filesystem::remove_all(Path(folder));
        for (int n = 0; n < 7; ++n)
            Photo("photos/p" + std::to_string(n) + ".jpg", 40 + n, 30, 0x101010u * (n + 1));
        for (TDDListBox* list : {left_.list, right_.list}) {
            if (list->MultiSelect())
                list->AutoShowClick(nullptr);
            list->LoadDirectory(Path("photos"));
        }
        reports_.clear();
    }

    void Delete(TDDListBox* list)
    {
        RunReportingErrors([list] { list->DeleteClick(nullptr); });
    }

    std::vector<std::string> Trashed() { return Entries(HomeTrash() + "/files"); }
};

TEST_F(DeleteCommand, DeletesTheCurrentEntryOrTheSelectionAsTheExamplesShow)
{
    struct Example {
        const char* what;
        bool multiSelect;
        int current;
        std::vector<int> selected;
        std::vector<std::string> deleted;  // in the order handed to the shell
        std::vector<std::string> left;
        const char* currentAfter;
    };
    const Example examples[] = {
        {"current 3", false, 3, {}, Photos({3}), Photos({0, 1, 2, 4, 5, 6}), "p2.jpg"},
        {"current 0", false, 0, {}, Photos({0}), Photos({1, 2, 3, 4, 5, 6}), "p1.jpg"},
        {"selected 2 3 4", true, 6, {2, 3, 4}, Photos({2, 3, 4}), Photos({0, 1, 5, 6}), "p1.jpg"},
        {"selected 1 4 5", true, 6, {5, 1, 4}, Photos({1, 4, 5}), Photos({0, 2, 3, 6}), "p0.jpg"},
        {"one selected: the current entry goes", true, 2, {5}, Photos({2}), Photos({0, 1, 3, 4, 5, 6}), "p1.jpg"},
        {"none selected: the current entry goes", true, 4, {}, Photos({4}), Photos({0, 1, 2, 3, 5, 6}), "p3.jpg"},
    };
    for (const Example& e : examples) {
        Prepare();
        if (e.multiSelect)
            left_.list->AutoShowClick(nullptr);
        for (int i : e.selected)
            left_.list->SetSelected(i, true);
        left_.list->SetItemIndex(e.current);

        Delete(left_.list);

        EXPECT_TRUE(reports_.empty()) << e.what << ": " << reports_.front();
        std::vector<std::string> handed;
        for (const FileOperationOutcome& outcome : LastFileOperationOutcomes())
            handed.push_back(std::filesystem::path(outcome.source).filename());
        EXPECT_EQ(handed, e.deleted) << e.what;
        EXPECT_EQ(Names(left_.list), e.left) << e.what;
        std::vector<std::string> onDisk = e.left;
        std::sort(onDisk.begin(), onDisk.end());
        EXPECT_EQ(Entries(Path("photos")), onDisk) << e.what;
        std::vector<std::string> trashed = e.deleted;
        std::sort(trashed.begin(), trashed.end());
        EXPECT_EQ(Trashed(), trashed) << e.what << ": deleted photos wait in the trash";

        const int current = left_.list->Items().IndexOf(e.currentAfter);
        EXPECT_EQ(left_.list->ItemIndex(), current) << e.what;
        EXPECT_EQ(left_.list->LastIndex(), current) << e.what << ": the preview shows the new current entry";
        EXPECT_EQ(left_.list->PictureWidth(), 40 + (e.currentAfter[1] - '0')) << e.what;
        EXPECT_EQ(CurrentDirectory() + "/", left_.list->Directory()) << e.what;
        EXPECT_EQ(Names(right_.list), Photos({0, 1, 2, 3, 4, 5, 6})) << e.what << ": the other pane is not reloaded";
    }
}

TEST_F(DeleteCommand, TheTrashedPhotoComesBackByteForByte)
{
    const std::string before = Read(Path("photos/p3.jpg"));
    left_.list->SetItemIndex(3);
    Delete(left_.list);
    ASSERT_EQ(Trashed(), Photos({3}));
    EXPECT_EQ(Read(HomeTrash() + "/files/p3.jpg"), before);
    const std::string info = Read(HomeTrash() + "/info/p3.jpg.trashinfo");
    EXPECT_NE(info.find("Path=" + Path("photos/p3.jpg")), std::string::npos) << info;
}

TEST_F(DeleteCommand, DeletingTheOnlyEntryLeavesAnEmptyListAndThePictureShown)
{
    for (int n = 1; n < 7; ++n)
        std::filesystem::remove(Path("photos/p" + std::to_string(n) + ".jpg"));
    left_.list->LoadDirectory(Path("photos"));
    left_.list->SetItemIndex(0);
    left_.list->ShowPicture(0);
    const TGraphic* shown = left_.image->Picture().Graphic();

    Delete(left_.list);
    EXPECT_TRUE(reports_.empty()) << reports_.front();
    EXPECT_EQ(left_.list->Items().Count(), 0);
    EXPECT_EQ(left_.list->ItemIndex(), -1);
    EXPECT_EQ(left_.image->Picture().Graphic(), shown);
    EXPECT_EQ(Trashed(), Photos({0}));
}

// Nothing may be deleted when the list cannot say which file it means.
TEST_F(DeleteCommand, WithoutACurrentEntryOrAFolderItReportsAndDeletesNothing)
{
    struct Case {
        const char* what;
        std::function<TDDListBox*()> arrange;
        const char* report;
    };
    const Case cases[] = {
        {"no current entry",
         [this] {
             left_.list->SetItemIndex(-1);
             return left_.list;
         },
         "List index out of bounds (-1)"},
        {"an empty list without a folder",
         [this] {
             right_.list->LoadDirectory("");
             return right_.list;
         },
         "List index out of bounds (-1)"},
        // A bare name would be found in whatever folder happens to be current: here the photos.
        {"a name in a list without a folder",
         [this] {
             right_.list->LoadDirectory("");
             right_.list->Items().Add("p0.jpg");
             right_.list->SetItemIndex(0);
             EXPECT_EQ(chdir(Path("photos").c_str()), 0);
             return right_.list;
         },
         "No folder is chosen"},
    };
    for (const Case& c : cases) {
        Prepare();
        TDDListBox* list = c.arrange();
        const int lastShown = list->LastIndex();
        Delete(list);
        ASSERT_EQ(reports_.size(), 1u) << c.what;
        EXPECT_NE(reports_[0].find(c.report), std::string::npos) << c.what << ": " << reports_[0];
        EXPECT_EQ(Entries(Path("photos")), Photos({0, 1, 2, 3, 4, 5, 6})) << c.what;
        EXPECT_TRUE(Trashed().empty()) << c.what;
        EXPECT_EQ(list->LastIndex(), lastShown) << c.what;
    }
}

TEST_F(DeleteCommand, AFileGoneBehindTheListsBackIsReportedAndTheListShowsTheFolder)
{
    left_.list->SetItemIndex(3);
    std::filesystem::remove(Path("photos/p3.jpg"));
    Delete(left_.list);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find("p3.jpg"), std::string::npos) << reports_[0];
    EXPECT_TRUE(Trashed().empty());
    EXPECT_EQ(Names(left_.list), Photos({0, 1, 2, 4, 5, 6}));
}
