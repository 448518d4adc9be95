#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/Form.h"
#include "platform/ListBox.h"

// The list box's own meaning of selection, current entry and Click, as the file lists rely on it.
class ListBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = std::make_unique<TForm>(nullptr);
        list_ = new TListBox(form_.get());
        list_->SetParent(form_.get());
        list_->SetBounds(0, 0, 200, 200);
        list_->SetItemHeight(20);
        list_->OnClick = [this](TObject*) { ++clicks_; };
        for (const char* name : {"a", "b", "c", "d", "e"})
            list_->Items().Add(name);
        form_->Show();
        QApplication::processEvents();
    }

    void Press(int index, unsigned keys = 0)
    {
        list_->UserPress(mbLeft, TShiftState(keys | ssLeft), 10, index * 20 + 10, false);
        list_->UserRelease(10, index * 20 + 10);
    }

    std::vector<int> Selection() const
    {
        std::vector<int> selected;
        for (int i = 0; i < list_->Items().Count(); ++i)
            if (list_->Selected(i))
                selected.push_back(i);
        return selected;
    }

    std::unique_ptr<TForm> form_;
    TListBox* list_ = nullptr;
    int clicks_ = 0;
};

TEST_F(ListBox, SingleSelectionFollowsItemIndexAndClickComesOnlyFromTheUser)
{
    EXPECT_EQ(list_->SelCount(), -1);
    list_->SetItemIndex(2);
    EXPECT_EQ(Selection(), (std::vector<int>{2}));
    EXPECT_EQ(clicks_, 0);
    Press(2);  // already selected: no change, no Click
    EXPECT_EQ(clicks_, 0);
    Press(4);
    EXPECT_EQ(list_->ItemIndex(), 4);
    EXPECT_EQ(clicks_, 1);
    list_->UserKey(Qt::Key_Up, TShiftState());
    EXPECT_EQ(list_->ItemIndex(), 3);
    EXPECT_EQ(clicks_, 2);
    list_->SetItemIndex(9);  // no such entry: none is current
    EXPECT_EQ(list_->ItemIndex(), -1);
}

TEST_F(ListBox, MultiSelectionRangesFromTheAnchorThatTheCaretDoesNotMove)
{
    list_->SetMultiSelect(true);
    Press(1);
    list_->SetItemIndex(4);  // the pointer passing over an entry moves the caret only
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    Press(3, ssShift);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list_->SelCount(), 3);
    Press(0, ssCtrl);
    EXPECT_EQ(Selection(), (std::vector<int>{0, 1, 2, 3}));
    Press(2, ssCtrl);
    EXPECT_EQ(Selection(), (std::vector<int>{0, 1, 3}));
}

TEST_F(ListBox, APlainPressOnTheSelectionKeepsItForADragAndNarrowsItOnRelease)
{
    list_->SetMultiSelect(true);
    Press(1);
    Press(3, ssShift);
    list_->UserPress(mbLeft, TShiftState(ssLeft), 10, 2 * 20 + 10, false);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3}));  // what a drag starting here would take
    list_->UserRelease(10, 2 * 20 + 10);
    EXPECT_EQ(Selection(), (std::vector<int>{2}));

    Press(4, ssShift);
    list_->UserPress(mbLeft, TShiftState(ssLeft), 10, 3 * 20 + 10, false);  // a drag then takes the release
    Press(0, ssCtrl);
    EXPECT_EQ(Selection(), (std::vector<int>{0, 2, 3, 4}));
}

TEST_F(ListBox, EntriesKeepTheirSelectionWhenOthersComeAndGo)
{
    list_->SetSorted(true);
    list_->SetItemIndex(2);  // c
    list_->Items().Add("aa");
    EXPECT_EQ(list_->Items()[1], "aa");
    EXPECT_EQ(list_->Items()[list_->ItemIndex()], "c");
    list_->Items().Delete(0);
    EXPECT_EQ(list_->Items()[list_->ItemIndex()], "c");
    list_->Items().Delete(list_->ItemIndex());  // the selected entry goes: nothing is selected
    EXPECT_EQ(list_->ItemIndex(), -1);
    EXPECT_THROW(list_->Items()[7], EListError);
    EXPECT_EQ(list_->Items().IndexOf("B"), -1);  // exact, as file names compare
}
