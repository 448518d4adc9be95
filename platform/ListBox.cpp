#include "platform/ListBox.h"

#include <QScrollBar>
#include <algorithm>

#include "platform/Exceptions.h"
#include "platform/Layout.h"
#include "platform/ListBoxView.h"
#include "platform/NaturalOrder.h"

namespace {
ListBoxView& ViewOf(const TListBox& list)
{
    return *static_cast<ListBoxView*>(list.Widget());
}

// The view's constructor needs the list box; the control's constructor needs the view.
class ViewFactory {
public:
    static QWidget* Make(TListBox* owner) { return new ListBoxView(*owner); }
};
}

// ---- entries ----

int TStrings::Count() const
{
    return static_cast<int>(FOwner.FItems.size());
}

const std::string& TStrings::operator[](int index) const
{
    FOwner.CheckIndex(index);
    return FOwner.FItems[index];
}

void TStrings::Put(int index, const std::string& text)
{
    FOwner.CheckIndex(index);
    FOwner.FItems[index] = text;
    FOwner.Changed();
}

int TStrings::Add(const std::string& text)
{
    auto& items = FOwner.FItems;
    int index = Count();
    if (FOwner.FSorted && FOwner.FUpdateCount == 0)
        index = static_cast<int>(std::upper_bound(items.begin(), items.end(), text, NaturalLess) - items.begin());
    items.insert(items.begin() + index, text);
    FOwner.FSelected.insert(FOwner.FSelected.begin() + index, 0);
    for (int* i : {&FOwner.FItemIndex, &FOwner.FAnchor})
        if (*i >= index)
            ++*i;
    FOwner.FPendingSelectOnly = -1;
    if (FOwner.FUpdateCount == 0)
        FOwner.Changed();
    return index;
}

void TStrings::Delete(int index)
{
    FOwner.CheckIndex(index);
    FOwner.FItems.erase(FOwner.FItems.begin() + index);
    FOwner.FSelected.erase(FOwner.FSelected.begin() + index);
    int count = Count();
    if (FOwner.FMultiSelect) {
        if (FOwner.FItemIndex > index || FOwner.FItemIndex >= count)
            --FOwner.FItemIndex;
    } else if (FOwner.FItemIndex == index) {
        FOwner.FItemIndex = -1;  // the selected entry went: nothing is selected
    } else if (FOwner.FItemIndex > index) {
        --FOwner.FItemIndex;
    }
    if (FOwner.FAnchor >= index)
        FOwner.FAnchor = std::min(FOwner.FAnchor, count - 1);
    FOwner.FPendingSelectOnly = -1;
    FOwner.Changed();
}

void TStrings::Clear()
{
    FOwner.Clear();
}

int TStrings::IndexOf(const std::string& text) const
{
    const auto& items = FOwner.FItems;
    auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TStrings::BeginUpdate()
{
    ++FOwner.FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FOwner.FUpdateCount == 0 || --FOwner.FUpdateCount > 0)
        return;
    if (FOwner.FSorted)
        FOwner.SortItems();
    else
        FOwner.Changed();
}

// ---- the list box ----

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner, ViewFactory::Make(this))
{
}

void TListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= static_cast<int>(FItems.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TListBox::Changed()
{
    ViewOf(*this).UpdateScrollRange();
}

void TListBox::SortItems()
{
    // Keys made once per name: a folder of 100,000 photos would otherwise decode and fold each name
    // some 17 times over. Equal names keep their order.
    struct Entry {
        std::string key;
        int index;
    };
    std::vector<Entry> entries(FItems.size());
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i)
        entries[i] = {NaturalSortKey(FItems[i]), i};
    std::sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
        if (const int byKey = a.key.compare(b.key))
            return byKey < 0;
        if (const int byBytes = FItems[a.index].compare(FItems[b.index]))
            return byBytes < 0;
        return a.index < b.index;
    });
    std::vector<int> order(entries.size());
    for (std::size_t to = 0; to < entries.size(); ++to)
        order[to] = entries[to].index;
    std::vector<std::string> items(FItems.size());
    std::vector<char> selected(FItems.size());
    int itemIndex = -1, anchor = -1;
    for (int to = 0; to < static_cast<int>(order.size()); ++to) {
        int from = order[to];
        items[to] = std::move(FItems[from]);
        selected[to] = FSelected[from];
        if (from == FItemIndex)
            itemIndex = to;
        if (from == FAnchor)
            anchor = to;
    }
    FItems = std::move(items);
    FSelected = std::move(selected);
    FItemIndex = itemIndex;
    FAnchor = anchor;
    Changed();
}

void TListBox::Clear()
{
    FItems.clear();
    FSelected.clear();
    FItemIndex = FAnchor = FPendingSelectOnly = -1;
    ViewOf(*this).verticalScrollBar()->setValue(0);
    Changed();
}

void TListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(FItems.size()))
        index = -1;
    FItemIndex = index;  // in multi-selection mode only the caret: the anchor of Shift-clicks stays
    ShowItem(index);
    ViewOf(*this).viewport()->update();
}

bool TListBox::Selected(int index) const
{
    CheckIndex(index);
    return FMultiSelect ? FSelected[index] != 0 : index == FItemIndex;
}

void TListBox::SetSelected(int index, bool selected)
{
    CheckIndex(index);
    if (FMultiSelect)
        FSelected[index] = selected;
    else if (selected)
        FItemIndex = index;
    else if (FItemIndex == index)
        FItemIndex = -1;
    ViewOf(*this).viewport()->update();
}

int TListBox::SelCount() const
{
    if (!FMultiSelect)
        return -1;
    return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), 1));
}

void TListBox::SetMultiSelect(bool multiSelect)
{
    if (multiSelect == FMultiSelect)
        return;
    FMultiSelect = multiSelect;
    std::fill(FSelected.begin(), FSelected.end(), 0);
    FAnchor = FItemIndex;
    FPendingSelectOnly = -1;
    ViewOf(*this).viewport()->update();
}

void TListBox::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    FSorted = sorted;
    if (sorted)
        SortItems();
}

void TListBox::SetItemHeight(int height)
{
    FItemHeight = std::max(1, height);
    Changed();
}

int TListBox::TopIndex() const
{
    return ViewOf(*this).verticalScrollBar()->value();
}

void TListBox::SetTopIndex(int index)
{
    ViewOf(*this).verticalScrollBar()->setValue(index);
}

int TListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    QWidget* viewport = ViewOf(*this).viewport();
    int count = static_cast<int>(FItems.size());
    if (Pos.X < 0 || Pos.Y < 0 || Pos.X >= viewport->width() || Pos.Y >= viewport->height())
        return -1;
    int index = TopIndex() + Pos.Y / FItemHeight;
    if (index < count)
        return index;
    return Existing ? -1 : count;
}

void TListBox::ShowItem(int index)
{
    if (index < 0)
        return;
    ListBoxView& view = ViewOf(*this);
    int top = TopIndex();
    if (index < top)
        SetTopIndex(index);
    else if (index >= top + view.RowsVisible())
        SetTopIndex(index - view.RowsVisible() + 1);
}

void TListBox::SelectOnly(int index)
{
    std::fill(FSelected.begin(), FSelected.end(), 0);
    if (index >= 0)
        FSelected[index] = 1;
}

void TListBox::SelectRange(int from, int to, bool keepOthers)
{
    if (!keepOthers)
        std::fill(FSelected.begin(), FSelected.end(), 0);
    if (from < 0)
        from = to;
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        FSelected[i] = 1;
}

void TListBox::UserPress(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick)
{
    Widget()->setFocus(Qt::MouseFocusReason);
    FPendingSelectOnly = -1;  // a drag may have taken the release of the press before
    int index = ItemAtPos({x, y}, true);
    bool changed = false;
    if (button == mbLeft && index >= 0) {
        if (!FMultiSelect) {
            changed = index != FItemIndex;
            FItemIndex = index;
        } else {
            std::vector<char> before = FSelected;
            if (shift.Contains(ssShift))
                SelectRange(FAnchor, index, shift.Contains(ssCtrl));
            else if (shift.Contains(ssCtrl))
                FSelected[index] = !FSelected[index];
            else if (FSelected[index] && !doubleClick)
                FPendingSelectOnly = index;  // the press may start dragging the whole selection
            else
                SelectOnly(index);
            if (!shift.Contains(ssShift))
                FAnchor = index;
            FItemIndex = index;
            changed = before != FSelected;
        }
        ViewOf(*this).viewport()->update();
    }
    if (changed)
        Click();
    if (doubleClick)
        DblClick();
    MouseDown(button, shift, x, y);
}

void TListBox::UserRelease(int, int)
{
    int index = std::exchange(FPendingSelectOnly, -1);
    if (index < 0 || index >= static_cast<int>(FItems.size()) || !FMultiSelect)
        return;
    std::vector<char> before = FSelected;
    SelectOnly(index);
    ViewOf(*this).viewport()->update();
    if (before != FSelected)
        Click();
}

void TListBox::UserMove(TShiftState shift, int x, int y)
{
    MouseMove(shift, x, y);
}

void TListBox::UserKey(int qtKey, TShiftState shift)
{
    int count = static_cast<int>(FItems.size());
    if (count == 0)
        return;
    int page = ViewOf(*this).RowsVisible();
    int current = FItemIndex;
    int target = current;
    switch (qtKey) {
    case Qt::Key_Up: target = current - 1; break;
    case Qt::Key_Down: target = current + 1; break;
    case Qt::Key_PageUp: target = current - page + 1; break;
    case Qt::Key_PageDown: target = current + page - 1; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    case Qt::Key_Space:
        if (FMultiSelect && current >= 0) {
            FSelected[current] = !FSelected[current];
            ViewOf(*this).viewport()->update();
            Click();
        }
        return;
    }
    target = std::clamp(target, 0, count - 1);
    if (current < 0)
        target = 0;
    std::vector<char> before = FSelected;
    int beforeIndex = FItemIndex;
    FItemIndex = target;
    if (FMultiSelect) {
        if (shift.Contains(ssShift))
            SelectRange(FAnchor, target, false);
        else if (!shift.Contains(ssCtrl)) {
            SelectOnly(target);
            FAnchor = target;
        }
    }
    ShowItem(target);
    ViewOf(*this).viewport()->update();
    bool changed = FMultiSelect ? before != FSelected : beforeIndex != FItemIndex;
    if (changed)
        Click();
}

bool TListBox::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "ItemHeight")
        SetItemHeight(value.Int());
    else if (name == "MultiSelect")
        SetMultiSelect(value.Bool());
    else if (name == "Sorted")
        SetSorted(value.Bool());
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
