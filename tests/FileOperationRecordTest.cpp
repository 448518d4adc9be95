#include "tests/support/PaneFixture.h"

using FileOperationRecord = PaneFixture;

TEST_F(FileOperationRecord, ActionsMapToShellCodesByName)
{
    TDDListBox* list = left_.list;
    EXPECT_EQ(list->FileOp().hwnd, nullptr);
    EXPECT_EQ(list->FileOp().fFlags, FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO);
    EXPECT_EQ(list->FileOp().fFlags, 0x0054);
    EXPECT_EQ(list->FileOp().wFunc, 0u);
    struct Case {
        TAction action;
        UINT code;
    } cases[] = {
        {taCopy, FO_COPY}, {taNone, FO_COPY},  // taNone keeps the code before it
        {taMove, FO_MOVE}, {taDelete, FO_DELETE}, {taRename, FO_RENAME}, {taNone, FO_RENAME},
    };
    for (const Case& c : cases) {
        list->SetFileOperationKind(c.action);
        EXPECT_EQ(list->FileOp().wFunc, c.code) << int(c.action);
    }
    EXPECT_EQ(FO_COPY, 2u);  // copy and move swap their numbers between the two codings
    EXPECT_EQ(FO_MOVE, 1u);
}

TEST_F(FileOperationRecord, RenameUsesTheTargetAndOtherActionsTheListsOwnDirectory)
{
    Photo("Inbox/a.jpg", 8, 8);
    Photo("Inbox/b.jpg", 8, 8);
    std::filesystem::create_directories(Path("Keep"));
    left_.list->SetDirectory(Path("Inbox"));
    right_.list->SetDirectory(Path("Keep"));
    ASSERT_EQ(chdir(Path("Inbox").c_str()), 0);

    std::string target = Path("Inbox/renamed.jpg") + '\0';
    left_.list->SetFileOperationTarget(target);
    EXPECT_TRUE(left_.list->RunFileOperation(taRename, std::string("a.jpg") + '\0' + '\0'));
    EXPECT_TRUE(Exists(Path("Inbox/renamed.jpg")));

    // A target set before a copy does not redirect it: the copy goes to the running list's directory.
    std::string elsewhere = Path("Inbox/elsewhere.jpg") + '\0';
    right_.list->SetFileOperationTarget(elsewhere);
    EXPECT_TRUE(right_.list->RunFileOperation(taCopy, std::string("b.jpg") + '\0' + '\0'));
    EXPECT_TRUE(Exists(Path("Keep/b.jpg")));
    EXPECT_FALSE(Exists(Path("Inbox/elsewhere.jpg")));
    EXPECT_EQ(right_.list->FileOp().fFlags, 0x0054);

    // The record keeps no target once an operation has run: a rename without a fresh one fails, touching nothing.
    EXPECT_FALSE(left_.list->RunFileOperation(taRename, std::string("b.jpg") + '\0' + '\0'));
    EXPECT_EQ(Entries(Path("Inbox")), (std::vector<std::string>{"b.jpg", "renamed.jpg"}));
}

TEST_F(FileOperationRecord, AnOperationOnAListWithoutDirectoryFails)
{
    Photo("Inbox/a.jpg", 8, 8);
    ASSERT_EQ(chdir(Path("Inbox").c_str()), 0);
    EXPECT_FALSE(left_.list->RunFileOperation(taMove, std::string("a.jpg") + '\0' + '\0'));
    EXPECT_TRUE(Exists(Path("Inbox/a.jpg")));
    EXPECT_EQ(reports_.size(), 1u);
}
