#pragma once
#include <string>
#include <vector>

#include "platform/Control.h"

class TListBox;

// The entries of a list box, with the list box's meaning: Add keeps a sorted list in order,
// a bulk load between BeginUpdate and EndUpdate sorts once.
class TStrings {
public:
    explicit TStrings(TListBox& owner) : FOwner(owner) {}
    int Count() const;
    // The entry at index; EListError when there is none.
    const std::string& operator[](int index) const;
    void Put(int index, const std::string& text);  // replaces the text in place
    int Add(const std::string& text);             // returns the index it took
    void Delete(int index);
    void Clear();
    // Exact comparison, as Linux file names compare; -1 when absent.
    int IndexOf(const std::string& text) const;
    void BeginUpdate();
    void EndUpdate();

private:
    TListBox& FOwner;
};

// A list of text entries. In single-selection mode ItemIndex is the selected entry; in multi-selection
// mode it is the focused entry (the caret), and setting it leaves the selection alone. Click fires when
// the user changes the selection by mouse or keyboard, never when code does.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);

    TStrings& Items() { return FStrings; }
    const TStrings& Items() const { return FStrings; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    // The number of selected entries; -1 in single-selection mode.
    int SelCount() const;
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multiSelect);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    int TopIndex() const;
    void SetTopIndex(int index);
    // The entry at a point of the client area; -1 where there is none (Existing), or Count below the
    // last entry when Existing is false.
    int ItemAtPos(TPoint Pos, bool Existing) const;
    void Clear();

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

    // Platform side, from the view: the user's input.
    void UserPress(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick);
    void UserRelease(int x, int y);
    void UserMove(TShiftState shift, int x, int y);
    void UserKey(int qtKey, TShiftState shift);
    const std::string& ItemText(int index) const { return FItems[index]; }

private:
    friend class TStrings;
    void CheckIndex(int index) const;
    void ShowItem(int index);
    void SelectOnly(int index);
    void SelectRange(int from, int to, bool keepOthers);
    void SortItems();
    void Changed();

    TStrings FStrings{*this};
    std::vector<std::string> FItems;
    std::vector<char> FSelected;  // used in multi-selection mode
    int FItemIndex = -1;
    int FAnchor = -1;
    int FPendingSelectOnly = -1;  // a plain press on a selected entry selects it alone on release, unless dragged
    bool FMultiSelect = false;
    bool FSorted = false;
    int FUpdateCount = 0;
    int FItemHeight = 16;
};
