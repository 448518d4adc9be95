#include <QApplication>
#include <QWidget>

#include "app/Picsifter.h"
#include "filelist/DDListBox.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/Image.h"
#include "platform/Memo.h"
#include "platform/Panel.h"
#include "tests/FileOperationFixture.h"

using MainWindow = FileOperationFixture;

namespace {
struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds&) const = default;
};
struct Pane {
    TPanel* panel;
    TDDListBox* list;
    TImage* image;
    TDirectoryListBox* directories;
};
Bounds BoundsOf(const TControl* c)
{
    return {c->Left(), c->Top(), c->Width(), c->Height()};
}
}

TEST_F(MainWindow, IsBuiltAsItsLayoutSays)
{
    TForm1 form(nullptr);
    EXPECT_EQ(form.Caption(), "Form1");
    EXPECT_EQ(form.ClientWidth(), 629);
    EXPECT_EQ(form.ClientHeight(), 462);
    EXPECT_EQ(BoundsOf(form.Panel2), (Bounds{216, 8, 200, 450}));
    EXPECT_EQ(BoundsOf(form.Panel3), (Bounds{424, 8, 200, 450}));
    EXPECT_EQ(BoundsOf(form.Memo1), (Bounds{8, 8, 193, 449}));
    EXPECT_EQ(form.Panel2->BevelInner(), bvLowered);
    for (Pane pane : {Pane{form.Panel2, form.DDListBox2, form.Image2, form.DirectoryListBox2},
                              Pane{form.Panel3, form.DDListBox3, form.Image3, form.DirectoryListBox3}}) {
        EXPECT_EQ(pane.list->Parent(), pane.panel);
        EXPECT_EQ(BoundsOf(pane.list), (Bounds{8, 104, 184, 138}));
        EXPECT_EQ(BoundsOf(pane.image), (Bounds{8, 248, 184, 192}));
        EXPECT_EQ(BoundsOf(pane.directories), (Bounds{8, 32, 184, 70}));
        EXPECT_EQ(pane.list->GetImage(), pane.image);
        EXPECT_TRUE(pane.image->Stretch());
        EXPECT_EQ(pane.list->ItemHeight(), 20);
        EXPECT_EQ(pane.list->Widget()->font().pixelSize(), 16);
        EXPECT_TRUE(pane.list->Sorted());
        EXPECT_TRUE(pane.list->ShowJPG());
    }
    EXPECT_EQ(form.DriveComboBox2->DirList(), form.DirectoryListBox2);
    EXPECT_EQ(form.DriveComboBox3->DirList(), form.DirectoryListBox3);
    EXPECT_TRUE(form.Memo1->ReadOnly());
    EXPECT_EQ(form.Memo1->Widget()->font().pixelSize(), 13);
    std::vector<std::string> instructions = {
        "Instructions:", "Select the directories for your ", "JPG files", "", "Move the mouse over the file ",
        "list to show the pictures", "", "Drag the file name from one list ", "to the other for file moving.", "",
        "Drag the file name while ", "pressing the shift key down for", "file copying.", "",
        "Double click to zoom the ", "picture.", "", "Right click for a popup menu.", "", "Multiselection :",
        "Uncheck auto show first.", "", "Press the Shift key while", "dragging for copying files.", "",
        "Press both the Shift and Alt", "keys while dragging for moving ", "files.", "", "  "};
    EXPECT_EQ(form.Memo1->Lines(), instructions);
}

TEST_F(MainWindow, BothListsFillFromTheStartDirectoryAndEachPaneMovesAlone)
{
    Write(Path("start/a.jpg"), "x");
    Write(Path("other/b.jpg"), "x");
    ASSERT_EQ(chdir(Path("start").c_str()), 0);
    TForm1 form(nullptr);
    EXPECT_EQ(form.DDListBox2->Items().Count(), 0);  // until the directory trees report
    QApplication::processEvents();
    EXPECT_EQ(form.DDListBox2->Directory(), Path("start") + "/");
    EXPECT_EQ(form.DDListBox3->Directory(), Path("start") + "/");
    ASSERT_EQ(form.DDListBox2->Items().Count(), 1);

    form.DirectoryListBox2->SetDirectory(Path("other"));
    EXPECT_EQ(form.DDListBox2->Items()[0], "b.jpg");
    EXPECT_EQ(form.DDListBox3->Items()[0], "a.jpg");

    form.DriveComboBox3->ChooseDrive(0);  // "/"
    EXPECT_EQ(form.DirectoryListBox3->Directory(), "/");
    EXPECT_EQ(form.DDListBox3->Directory(), "/");
    EXPECT_TRUE(reports_.empty());
}
