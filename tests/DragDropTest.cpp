#include "tests/support/PaneFixture.h"

// Drops run as the drag facility runs them: on the target, with the source list as Source.
class DragDrop : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        S = left_.list;
        T = right_.list;
    }

    void Folder(const std::string& name, std::initializer_list<const char*> files)
    {
        std::filesystem::create_directories(Path(name));
        for (const char* file : files)
            Photo(name + "/" + file, 64, 48);
    }

    void Drop(TAction action)
    {
        S->SetAction(action);
        RunReportingErrors([&] { T->DragDrop(S, 0, 0); });
    }

    void SelectOnly(std::initializer_list<int> indexes)
    {
        for (int i = 0; i < S->Items().Count(); ++i)
            S->SetSelected(i, false);
        for (int i : indexes)
            S->SetSelected(i, true);
    }

    using NameList = std::vector<std::string>;
    TDDListBox* S = nullptr;
    TDDListBox* T = nullptr;
};

TEST_F(DragDrop, PressKeysChooseTheAction)
{
    Folder("inbox", {"p1.jpg"});
    S->SetDirectory(Path("inbox"));
    struct Case {
        unsigned keys;
        TAction action;
    } cases[] = {
        {0, taMove},         {ssShift, taCopy},           {ssAlt, taMove},
        {ssShift | ssAlt, taMove}, {ssCtrl, taMove}, {ssCtrl | ssShift, taCopy},
    };
    for (const Case& c : cases) {
        S->SetAction(taNone);
        S->MouseDown(mbLeft, TShiftState(c.keys | ssLeft), 20, 10);
        EXPECT_EQ(S->Action(), c.action) << c.keys;
    }
    S->SetAction(taNone);
    S->MouseDown(mbRight, TShiftState(ssRight | ssShift), 20, 10);  // not the left button
    S->MouseDown(mbLeft, TShiftState(ssLeft | ssShift), 20, 50);   // below the last entry
    EXPECT_EQ(S->Action(), taNone);
}

TEST_F(DragDrop, OneEntryMovedAsInTheWorkedExample)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
    Folder("Keep", {"z.jpg"});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->SetItemIndex(1);
    std::string p2 = Read(Path("Inbox/p2.jpg"));

    Drop(taMove);
    EXPECT_EQ(Names(T), (NameList{"p2.jpg", "z.jpg"}));
    EXPECT_EQ(Names(S), (NameList{"p1.jpg", "p3.jpg"}));
    EXPECT_EQ(S->ItemIndex(), 0);
    EXPECT_EQ(Read(Path("Keep/p2.jpg")), p2);
    EXPECT_FALSE(Exists(Path("Inbox/p2.jpg")));
    EXPECT_EQ(S->PictureWidth(), 64);  // the source's preview shows p1.jpg
    EXPECT_TRUE(reports_.empty());
}

TEST_F(DragDrop, SeveralEntriesCopiedReplaceTheSameNamedFileWhichGoesToTheTrash)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg"});
    Folder("Keep", {"z.jpg"});
    Write(Path("Keep/p3.jpg"), "the older p3");
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->AutoShowClick(nullptr);
    SelectOnly({1, 2, 3});

    Drop(taCopy);
    EXPECT_EQ(Names(T), (NameList{"p2.jpg", "p3.jpg", "p4.jpg", "z.jpg"}));  // p3.jpg once
    EXPECT_EQ(Names(S).size(), 5u);
    EXPECT_EQ(S->SelCount(), 3);
    EXPECT_EQ(Read(Path("Keep/p3.jpg")), Read(Path("Inbox/p3.jpg")));
    EXPECT_EQ(Read(HomeTrash() + "/files/p3.jpg"), "the older p3");
    EXPECT_TRUE(reports_.empty());
}

TEST_F(DragDrop, SeveralEntriesWithAGapMovedLeaveExactlyTheOthers)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg"});
    Folder("Keep", {});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->AutoShowClick(nullptr);
    SelectOnly({1, 3});

    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p1.jpg", "p3.jpg", "p5.jpg"}));
    EXPECT_EQ(S->ItemIndex(), 0);
    EXPECT_EQ(Entries(Path("Keep")), (NameList{"p2.jpg", "p4.jpg"}));
    EXPECT_EQ(Names(T), (NameList{"p2.jpg", "p4.jpg"}));
}

TEST_F(DragDrop, MovingEntryZeroOrTheLastOneLeavesTheRightCurrentEntry)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg"});
    Folder("Keep", {});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->SetItemIndex(0);
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p2.jpg"}));
    EXPECT_EQ(S->ItemIndex(), 0);

    Drop(taMove);
    EXPECT_EQ(S->Items().Count(), 0);
    EXPECT_EQ(S->ItemIndex(), -1);
    EXPECT_EQ(Names(T), (NameList{"p1.jpg", "p2.jpg"}));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(DragDrop, ANameTheTargetShowsOrTheOwnListChangesNoFile)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg"});
    Folder("Keep", {"p1.jpg"});
    std::string kept = Read(Path("Keep/p1.jpg"));
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->SetItemIndex(0);
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p1.jpg", "p2.jpg"}));
    EXPECT_EQ(Names(T), (NameList{"p1.jpg"}));
    EXPECT_EQ(Read(Path("Keep/p1.jpg")), kept);

    T = S;  // onto its own list
    S->SetItemIndex(1);
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p1.jpg", "p2.jpg"}));
    EXPECT_EQ(Entries(Path("Inbox")), (NameList{"p1.jpg", "p2.jpg"}));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(DragDrop, SeveralOntoTheSameDirectoryChangeNothingAndSayWhy)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Inbox"));
    S->AutoShowClick(nullptr);
    SelectOnly({0, 2});
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p1.jpg", "p2.jpg", "p3.jpg"}));
    EXPECT_EQ(Names(T), (NameList{"p1.jpg", "p2.jpg", "p3.jpg"}));
    EXPECT_EQ(Entries(Path("Inbox")), (NameList{"p1.jpg", "p2.jpg", "p3.jpg"}));
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find("same file"), std::string::npos) << reports_[0];
}

TEST_F(DragDrop, AFailedDropTakesBackTheNamesItGaveTheTarget)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg"});
    Folder("Keep", {"z.jpg"});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    std::filesystem::remove(Path("Inbox/p2.jpg"));  // gone since the list was read
    S->SetItemIndex(1);
    Drop(taMove);
    EXPECT_EQ(Names(T), (NameList{"z.jpg"}));
    EXPECT_EQ(Names(S), (NameList{"p1.jpg"}));  // nor keeps the source a name whose file is gone
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find("p2.jpg"), std::string::npos) << reports_[0];
}

TEST_F(DragDrop, APartlyFailedDropShowsWhatIsOnDisk)
{
    Folder("Inbox", {"p1.jpg", "p2.jpg", "p3.jpg"});
    Folder("Keep", {});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->AutoShowClick(nullptr);
    SelectOnly({0, 1, 2});
    std::filesystem::remove(Path("Inbox/p2.jpg"));
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p3.jpg"}));  // p1 went, p2 was gone, p3 was not tried
    EXPECT_EQ(Names(T), (NameList{"p1.jpg"}));
    EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(DragDrop, ADropOnAListWithoutDirectoryTouchesNoFile)
{
    Folder("Inbox", {"p1.jpg"});
    S->SetDirectory(Path("Inbox"));
    S->SetItemIndex(0);
    Drop(taMove);
    EXPECT_EQ(Names(S), (NameList{"p1.jpg"}));
    EXPECT_EQ(T->Items().Count(), 0);
    EXPECT_EQ(Entries(Path("Inbox")), (NameList{"p1.jpg"}));
    EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(DragDrop, AVanishedSourceDirectoryRunsNothing)
{
    Folder("Inbox", {"p1.jpg"});
    Folder("Keep", {});
    S->SetDirectory(Path("Inbox"));
    T->SetDirectory(Path("Keep"));
    S->SetItemIndex(0);
    std::filesystem::remove_all(Path("Inbox"));
    Drop(taCopy);
    EXPECT_EQ(S->Items().Count(), 0);  // the folder and its names are gone
    EXPECT_EQ(T->Items().Count(), 0);
    ASSERT_FALSE(reports_.empty());
    EXPECT_NE(reports_[0].find("Inbox"), std::string::npos) << reports_[0];
}
