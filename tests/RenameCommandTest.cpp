#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <unistd.h>

#include "platform/Button.h"
#include "platform/Edit.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PaneFixture.h"
#include "windows/rename.h"

namespace {
const std::vector<std::string> kNames = {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "a.jpg", "c.jpg"};

std::string CurrentDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}
}  // namespace

// Six photos, a.jpg at index 4 of the left list, as in the examples of the command; the right list
// shows the same folder.
class RenameCommand : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        ASSERT_EQ(OKRightDlg, nullptr) << "a rename dialog outlived the list that owned it";
        Prepare();
    }

    // The photos as at the start, both lists loaded, a.jpg current in the left one, the trash empty.
    void Prepare()
    {
        for (const char* folder : {"photos", "sorted", "data"})
            std::filesystem::remove_all(Path(folder));
        for (const std::string& name : kNames)
            Write(Path("photos/" + name), "bytes of " + name);
        std::filesystem::create_directories(Path("photos/Keep"));
        std::filesystem::create_directories(Path("sorted"));
        left_.list->LoadDirectory(Path("photos"));
        right_.list->LoadDirectory(Path("photos"));
        left_.list->SetItemIndex(4);  // as the pointer over it makes it; these photos are no pictures to show
        reports_.clear();
    }

    // Runs the command on list and answers the dialog by typing text over the whole name, then Enter.
    void RenameTo(TDDListBox* list, const std::string& typed)
    {
        AnswerNextModal([typed](QWidget*) {
            QWidget* edit = QApplication::focusWidget();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, QString::fromStdString(typed));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        Run(list);
    }

    static void Run(TDDListBox* list)
    {
        RunReportingErrors([list] { list->RenameClick(nullptr); });
        QApplication::processEvents();
    }

    std::vector<std::string> PhotoFiles() { return Entries(Path("photos")); }
};

TEST_F(RenameCommand, TheTypedTextDecidesWhereTheFileGoesAndWhatTheListShows)
{
    struct Example {
        std::string typed;
        std::string landsAt;  // relative to the scratch folder
        std::vector<std::string> listAfter;
        int currentAfter;
    };
    const Example examples[] = {
        {"b.jpg", "photos/b.jpg", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "b.jpg", "c.jpg"}, 4},
        {"b.png", "photos/b.png", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "b.png", "c.jpg"}, 4},
        {Path("sorted/a.jpg"), "sorted/a.jpg", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "c.jpg"}, 3},
        {"Keep/a.jpg", "photos/Keep/a.jpg", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "c.jpg"}, 3},
        {Path("photos/z.jpg"), "photos/z.jpg", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "c.jpg"}, 3},
    };
    for (const Example& e : examples) {
        Prepare();
        const int lastShown = left_.list->LastIndex();
        RenameTo(left_.list, e.typed);

        EXPECT_TRUE(reports_.empty()) << e.typed << ": " << reports_.front();
        EXPECT_EQ(Read(Path(e.landsAt)), "bytes of a.jpg") << e.typed;
        EXPECT_FALSE(Exists(Path("photos/a.jpg"))) << e.typed;
        EXPECT_EQ(Names(left_.list), e.listAfter) << e.typed;
        EXPECT_EQ(left_.list->ItemIndex(), e.currentAfter) << e.typed;
        EXPECT_EQ(CurrentDirectory() + "/", left_.list->Directory()) << e.typed;
        EXPECT_EQ(left_.list->LastIndex(), lastShown) << e.typed << ": the preview is not asked";
        EXPECT_EQ(Names(right_.list), kNames) << e.typed << ": the other pane is not reloaded";
    }
}

TEST_F(RenameCommand, AnInPlaceRenameKeepsThePositionEvenWhenTheListIsSorted)
{
    RenameTo(left_.list, "0.jpg");
    EXPECT_EQ(Names(left_.list), (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg", "4.jpg", "0.jpg", "c.jpg"}));
    EXPECT_TRUE(left_.list->Sorted());
}

TEST_F(RenameCommand, RemovingTheFirstEntryLeavesTheNextOneCurrent)
{
    left_.list->SetItemIndex(0);
    RenameTo(left_.list, "Keep/1.jpg");
    EXPECT_EQ(Names(left_.list), (std::vector<std::string>{"2.jpg", "3.jpg", "4.jpg", "a.jpg", "c.jpg"}));
    EXPECT_EQ(left_.list->ItemIndex(), 0);
}

// The file that had the name is kept in the trash, and the list shows the name once.
TEST_F(RenameCommand, RenamingOntoANameTheListShowsTrashesThatFileAndShowsTheNameOnce)
{
    struct Case {
        std::string typed;
        std::vector<std::string> listAfter;
        int currentAfter;
    };
    const Case cases[] = {
        {"c.jpg", {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "c.jpg"}, 4},  // the other entry lies after
        {"1.jpg", {"2.jpg", "3.jpg", "4.jpg", "1.jpg", "c.jpg"}, 3},  // and before
    };
    for (const Case& c : cases) {
        Prepare();
        RenameTo(left_.list, c.typed);
        EXPECT_TRUE(reports_.empty()) << c.typed << ": " << reports_.front();
        EXPECT_EQ(Names(left_.list), c.listAfter) << c.typed;
        EXPECT_EQ(left_.list->ItemIndex(), c.currentAfter) << c.typed;
        EXPECT_EQ(Read(Path("photos/" + c.typed)), "bytes of a.jpg") << c.typed;
        EXPECT_EQ(Read(HomeTrash() + "/files/" + c.typed), "bytes of " + c.typed) << c.typed;
    }
}

TEST_F(RenameCommand, WhatEndsItEarlyChangesNothing)
{
    struct Case {
        const char* what;
        std::function<void()> run;
        const char* report;  // nullptr: none
        std::vector<std::string> listAfter = kNames;  // a failure reads the folder again
        int currentAfter = 4;
    };
    const Case cases[] = {
        {"Esc", [this] { AnswerNextModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }); Run(left_.list); },
         nullptr},
        {"Cancel",
         [this] {
             AnswerNextModal([](QWidget*) { QTest::mouseClick(OKRightDlg->CancelBtn->Widget(), Qt::LeftButton); });
             Run(left_.list);
         },
         nullptr},
        {"a typed name, then Esc",
         [this] {
             AnswerNextModal([](QWidget* d) {
                 QTest::keyClicks(QApplication::focusWidget(), "b.jpg");
                 QTest::keyClick(d, Qt::Key_Escape);
             });
             Run(left_.list);
         },
         nullptr},
        {"OK on the unchanged name", [this] { RenameTo(left_.list, "a.jpg"); }, nullptr},
        {"the shell fails", [this] { RenameTo(left_.list, "missing/a.jpg"); }, "missing/a.jpg"},
        {"an empty name", [this] { RenameTo(left_.list, ""); }, "The new name is empty"},
        {"a folder path", [this] { RenameTo(left_.list, "Keep/"); }, "is a folder, not a file name"},
        {"the folder has gone",
         [this] {
             std::filesystem::rename(Path("photos"), Path("elsewhere"));
             RenameTo(left_.list, "b.jpg");
         },
         "Cannot open the folder", {}, -1},
    };
    for (const Case& c : cases) {
        Prepare();
        c.run();
        if (c.report) {
            ASSERT_EQ(reports_.size(), 1u) << c.what;
            EXPECT_NE(reports_[0].find(c.report), std::string::npos) << c.what << ": " << reports_[0];
        } else {
            EXPECT_TRUE(reports_.empty()) << c.what << ": " << reports_.front();
        }
        EXPECT_EQ(Names(left_.list), c.listAfter) << c.what;
        EXPECT_EQ(left_.list->ItemIndex(), c.currentAfter) << c.what;
        if (Exists(Path("elsewhere")))
            std::filesystem::rename(Path("elsewhere"), Path("photos"));
        EXPECT_EQ(PhotoFiles(), (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg", "4.jpg", "Keep", "a.jpg", "c.jpg"}))
            << c.what;
    }
}

TEST_F(RenameCommand, WithNoCurrentEntryTheIndexErrorIsReportedBeforeAnyDialog)
{
    left_.list->SetItemIndex(-1);  // the pointer was below the entries
    auto opened = WatchForUnexpectedModal(form_->Widget());
    Run(left_.list);
    EXPECT_FALSE(*opened);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0], "List index out of bounds (-1)");
    EXPECT_NE(OKRightDlg, nullptr);  // made on first use before the lookup failed
    EXPECT_EQ(Names(left_.list), kNames);
    EXPECT_EQ(left_.list->ItemIndex(), -1);
}

// Each rename starts from the current entry's name, wholly selected, whatever was typed before.
TEST_F(RenameCommand, TheDialogOpensOnTheCurrentNameWhollySelectedEveryTime)
{
    struct Step {
        TDDListBox* list;
        int entry;
        const char* expected;
    };
    const Step steps[] = {{left_.list, 4, "a.jpg"}, {left_.list, 5, "c.jpg"}, {right_.list, 1, "2.jpg"}};
    for (const Step& step : steps) {
        step.list->SetItemIndex(step.entry);
        AnswerNextModal([&](QWidget* dialog) {
            auto* edit = static_cast<QLineEdit*>(OKRightDlg->Edit1->Widget());
            EXPECT_EQ(QApplication::focusWidget(), edit) << step.expected;
            EXPECT_EQ(edit->text().toStdString(), step.expected);
            EXPECT_EQ(edit->selectedText().toStdString(), step.expected);
            QTest::keyClicks(edit, "typed and abandoned.jpg");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Run(step.list);
    }
    EXPECT_EQ(OKRightDlg->Owner(), left_.list);  // one dialog for both lists, made by the first
    EXPECT_EQ(Names(left_.list), kNames);
}

TEST_F(RenameCommand, TheSharedDialogGoesWithTheListThatMadeIt)
{
    AnswerNextModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    Run(left_.list);
    ASSERT_NE(OKRightDlg, nullptr);
    delete left_.list;
    EXPECT_EQ(OKRightDlg, nullptr);

    right_.list->SetItemIndex(1);
    RenameTo(right_.list, "two.jpg");
    EXPECT_EQ(OKRightDlg->Owner(), right_.list);
    EXPECT_EQ(Read(Path("photos/two.jpg")), "bytes of 2.jpg");
}
