#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTimer>
#include <dirent.h>
#include <fnmatch.h>

#include "platform/Menus.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PaneFixture.h"
#include "windows/ZoomInFm.h"
#include "windows/rename.h"

namespace {
const std::vector<std::string> kSorted = {"a.jpg", "B.jpg", "c.jpg", "IMG_2.jpg", "IMG_10.jpg"};

// What the directory search gives, in its own order.
std::vector<std::string> DirectoryOrder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (dirent* e = readdir(dir))
        if (fnmatch("*.jpg", e->d_name, FNM_CASEFOLD) == 0)
            names.push_back(e->d_name);
    closedir(dir);
    return names;
}

struct ListState {
    bool showJpg, multiSelect, autoShowChecked, sorted, sortedChecked;
    bool operator==(const ListState&) const = default;
};
ListState StateOf(const TDDListBox* list)
{
    return {list->ShowJPG(), list->MultiSelect(), list->PopupMenuOfList()->Items(1)->Checked(), list->Sorted(),
            list->PopupMenuOfList()->Items(3)->Checked()};
}
constexpr ListState kAtStart{true, false, true, true, true};
}  // namespace

class ContextMenu : public PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        for (const std::string& name : kSorted)
            Photo("photos/" + name, 32, 24);
        left_.list->SetDirectory(Path("photos"));
        right_.list->SetDirectory(Path("photos"));
    }

    // Right-clicks the list at its current entry and presses key in the menu that opens.
    static void ChooseByAccessKey(TDDListBox* list, Qt::Key key, std::function<void()> beforeKey = {})
    {
        QTimer::singleShot(0, [key, beforeKey] {
            QWidget* menu = QApplication::activePopupWidget();
            ASSERT_NE(menu, nullptr);
            if (beforeKey)
                beforeKey();
            QTest::keyClick(menu, key);
        });
        QWidget* viewport = static_cast<QAbstractScrollArea*>(list->Widget())->viewport();
        QPoint at(20, list->ItemIndex() * 20 + 10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        QApplication::processEvents();
    }
};

TEST_F(ContextMenu, EachListHasItsOwnMenuWithTheItemsInOrder)
{
    struct Row {
        const char* caption;
        bool checked;
    };
    const Row rows[] = {{"&Zoom In", false}, {"&Auto Show", true}, {"&Rename", false},
                        {"&Sorted", true},   {"-", false},         {"&Delete", false}};
    for (TDDListBox* list : {left_.list, right_.list}) {
        TPopupMenu* menu = list->PopupMenuOfList();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(list->PopupMenu(), menu);
        EXPECT_EQ(menu->Owner(), list);
        ASSERT_EQ(menu->Count(), 6);
        for (int i = 0; i < 6; ++i) {
            TMenuItem* item = menu->Items(i);
            EXPECT_EQ(item->Caption(), rows[i].caption) << i;
            EXPECT_EQ(item->Checked(), rows[i].checked) << i;
            EXPECT_EQ(item->ShortCut(), 0) << i;
            EXPECT_EQ(item->Owner(), menu) << i;
            EXPECT_EQ(item->Action()->isSeparator(), i == 4) << i;
        }
    }
    EXPECT_NE(left_.list->PopupMenuOfList(), right_.list->PopupMenuOfList());
}

// Each access key runs its command on the list that was right-clicked, and only there.
TEST_F(ContextMenu, AccessKeysRunTheCommandsOfTheListThatWasClicked)
{
    struct Row {
        Qt::Key key;
        std::function<void()> answerDialog;
        std::function<bool(TDDListBox*)> ran;
    };
    const Row rows[] = {
        {Qt::Key_Z, {}, [](TDDListBox*) { return ZoomInFm && ZoomInFm->Widget()->isVisible(); }},
        {Qt::Key_A, {}, [](TDDListBox* l) { return !l->ShowJPG() && l->MultiSelect(); }},
        {Qt::Key_R,
         [] { AnswerNextModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }); },
         [](TDDListBox*) { return OKRightDlg != nullptr; }},
        {Qt::Key_D, {}, [this](TDDListBox* l) { return l->Items().Count() == 4 && !Exists(Path("photos/c.jpg")); }},
        {Qt::Key_S, {}, [](TDDListBox* l) { return !l->Sorted(); }},
    };
    for (const Row& row : rows) {
        right_.list->SetItemIndex(2);
        ChooseByAccessKey(right_.list, row.key, row.answerDialog);
        EXPECT_TRUE(row.ran(right_.list)) << QKeySequence(row.key).toString().toStdString();
    }
    EXPECT_EQ(StateOf(left_.list), kAtStart);
    EXPECT_EQ(Names(left_.list), kSorted);
    EXPECT_TRUE(reports_.empty()) << reports_.front();
}

TEST_F(ContextMenu, AutoShowSwitchesHoverPreviewAgainstMultipleSelection)
{
    left_.list->AutoShowClick(nullptr);
    EXPECT_EQ(StateOf(left_.list), (ListState{false, true, false, true, true}));
    left_.list->SetSelected(0, true);
    left_.list->SetSelected(3, true);
    EXPECT_EQ(left_.list->SelCount(), 2);
    Hover(left_.list, 1);
    Hover(left_.list, 2);
    EXPECT_EQ(left_.list->PictureWidth(), 0) << "hovering showed a picture";
    EXPECT_EQ(StateOf(right_.list), kAtStart);

    left_.list->AutoShowClick(nullptr);
    EXPECT_EQ(StateOf(left_.list), kAtStart);
    EXPECT_EQ(left_.list->SelCount(), -1);
    Hover(left_.list, 1);
    EXPECT_EQ(left_.list->PictureWidth(), 32);
}

TEST_F(ContextMenu, SortedReloadsInDirectoryOrderAndBackDroppingTheCurrentEntry)
{
    left_.list->SetItemIndex(2);
    left_.list->ShowPicture(2);
    const TGraphic* shown = left_.image->Picture().Graphic();
    Photo("photos/new.jpg", 32, 24);  // made by someone else: the reload shows it

    left_.list->SortedClick(nullptr);
    EXPECT_EQ(StateOf(left_.list), (ListState{true, false, true, false, false}));
    EXPECT_EQ(Names(left_.list), DirectoryOrder(Path("photos")));
    EXPECT_EQ(left_.list->ItemIndex(), -1);
    EXPECT_EQ(left_.image->Picture().Graphic(), shown);
    EXPECT_EQ(Names(right_.list), kSorted);
    EXPECT_EQ(StateOf(right_.list), kAtStart);

    left_.list->SetItemIndex(1);
    left_.list->SortedClick(nullptr);
    EXPECT_EQ(StateOf(left_.list), kAtStart);
    EXPECT_EQ(Names(left_.list), (std::vector<std::string>{"a.jpg", "B.jpg", "c.jpg", "IMG_2.jpg", "IMG_10.jpg", "new.jpg"}));
    EXPECT_EQ(left_.list->ItemIndex(), -1);
}

// The check mark follows the clicks, not the value: a list that starts with hover preview off
// shows the opposite from then on.
TEST_F(ContextMenu, AListStartingWithHoverPreviewOffStillStartsChecked)
{
    left_.list->SetShowJPG(false);
    EXPECT_TRUE(left_.list->PopupMenuOfList()->Items(1)->Checked());
    left_.list->AutoShowClick(nullptr);
    EXPECT_EQ(StateOf(left_.list), (ListState{true, true, false, true, true}));
}
