#include <dirent.h>
#include <fnmatch.h>

#include "tests/support/PaneFixture.h"

using FileList = PaneFixture;

TEST_F(FileList, NewListIsEmptyWithoutDirectory)
{
    EXPECT_EQ(left_.list->Items().Count(), 0);
    EXPECT_EQ(left_.list->Directory(), "");
    EXPECT_TRUE(left_.list->Sorted());
    EXPECT_FALSE(left_.list->MultiSelect());
    EXPECT_TRUE(left_.list->ShowJPG());
    EXPECT_EQ(left_.list->Action(), taNone);
    EXPECT_EQ(left_.list->LastIndex(), 0);
}

TEST_F(FileList, ListsJpgFilesOfEveryCaseInNaturalOrder)
{
    for (const char* name : {"b.jpg", "A.JPG", "IMG_10.jpg", "IMG_2.jpg", "c.jpeg", "d.png", "e.jpg.txt", "x.jpg/keep.jpg"})
        Write(Path(std::string("photos/") + name), "data");
    left_.list->SetDirectory(Path("photos"));
    EXPECT_EQ(left_.list->Directory(), Path("photos") + "/");
    // the directory named x.jpg is listed too: every kind of entry matches
    EXPECT_EQ(Names(left_.list), (std::vector<std::string>{"A.JPG", "b.jpg", "IMG_2.jpg", "IMG_10.jpg", "x.jpg"}));
}

TEST_F(FileList, SettingTheSameDirectoryReloadsUnlessItEndsInSlash)
{
    Write(Path("photos/a.jpg"), "data");
    left_.list->SetDirectory(Path("photos"));
    Write(Path("photos/b.jpg"), "data");
    left_.list->SetDirectory(Path("photos"));  // as a directory tree reports it: no trailing "/"
    EXPECT_EQ(left_.list->Items().Count(), 2);

    Write(Path("photos/c.jpg"), "data");
    left_.list->SetDirectory(Path("photos") + "/");  // equal to what the list holds: no reload
    EXPECT_EQ(left_.list->Items().Count(), 2);
}

TEST_F(FileList, MissingOrEmptyDirectoryGivesAnEmptyList)
{
    Write(Path("photos/a.jpg"), "data");
    left_.list->SetDirectory(Path("photos"));
    left_.list->SetDirectory(Path("gone"));
    EXPECT_EQ(left_.list->Items().Count(), 0);
    EXPECT_EQ(left_.list->Directory(), Path("gone") + "/");

    left_.list->LoadDirectory("");
    EXPECT_EQ(left_.list->Items().Count(), 0);
    EXPECT_EQ(left_.list->Directory(), "");
    left_.list->SortedClick(nullptr);  // reloads the empty path without failing
    EXPECT_TRUE(reports_.empty());
}

TEST_F(FileList, UnsortedListKeepsTheDirectoryOrder)
{
    for (int i = 0; i < 40; ++i)
        Write(Path("photos/p" + std::to_string(i * 7919 % 97) + ".jpg"), "data");
    std::vector<std::string> expected;
    DIR* dir = opendir(Path("photos").c_str());
    while (dirent* e = readdir(dir))
        if (fnmatch("*.jpg", e->d_name, FNM_CASEFOLD) == 0)
            expected.push_back(e->d_name);
    closedir(dir);
    left_.list->SetSorted(false);
    left_.list->SetDirectory(Path("photos"));
    EXPECT_EQ(Names(left_.list), expected);
}

TEST_F(FileList, RefreshSiblingsReloadsOnlyOtherListsOfTheSamePanelAndDirectory)
{
    Write(Path("photos/a.jpg"), "data");
    auto* twin = new TDDListBox(form_.get());
    twin->SetName("Twin");
    twin->SetParent(left_.panel);
    auto* sameName = new TDDListBox(form_.get());
    sameName->SetName(left_.list->Name());
    sameName->SetParent(left_.panel);
    for (TDDListBox* list : {left_.list, twin, sameName, right_.list})
        list->SetDirectory(Path("photos"));

    Write(Path("photos/b.jpg"), "data");
    left_.list->RefreshSiblings();
    EXPECT_EQ(twin->Items().Count(), 2);
    EXPECT_EQ(sameName->Items().Count(), 1);     // told apart by name only
    EXPECT_EQ(right_.list->Items().Count(), 1);  // another panel
}
