#include "filelist/DDListBox.h"

#include "platform/FindFiles.h"
#include "platform/Image.h"
#include "platform/Layout.h"

#include <unordered_set>

TDDListBox::TDDListBox(TComponent* AOwner) : TListBox(AOwner)
{
    SetDirectory("");
    FLastIndex = 0;
    FShowJPG = true;
    SetSorted(true);
    SetPopupMenu(BuildPopupMenu());
    InitFileOperation();
}

void TDDListBox::SetDirectory(const std::string& Value)
{
    if (Value != FDirectory)
        LoadDirectory(Value);
}

void TDDListBox::LoadDirectory(const std::string& Path)
{
    Items().Clear();
    if (Path.empty()) {
        FDirectory.clear();  // no directory yet: an empty list, as after construction
        return;
    }
    FDirectory = Path.back() == '/' ? Path : Path + "/";
    TSearchRec search;
    Items().BeginUpdate();  // one sort for the whole directory, not one insertion per name
    try {
        if (FindFirst(FDirectory + "*.jpg", faAnyFile, search) == 0) {
            do
                Items().Add(search.Name);
            while (FindNext(search) == 0);
        }
    } catch (...) {
        FindClose(search);
        Items().EndUpdate();
        throw;
    }
    FindClose(search);
    Items().EndUpdate();
}

// After a failed file operation the list cannot tell which of its names still have a file: some may
// have gone before the failure, or by other hands since the folder was read. It reads the folder again;
// the entries that were selected and current stay so where their names are still there.
void TDDListBox::ReloadDirectoryKeepingSelection()
{
    const std::string current = ItemIndex() >= 0 && ItemIndex() < Items().Count() ? Items()[ItemIndex()] : "";
    std::unordered_set<std::string> selected;
    if (MultiSelect())
        for (int i = 0; i < Items().Count(); ++i)
            if (Selected(i))
                selected.insert(Items()[i]);
    LoadDirectory(FDirectory);
    if (!selected.empty())
        for (int i = 0; i < Items().Count(); ++i)
            if (selected.count(Items()[i]))
                SetSelected(i, true);
    SetItemIndex(current.empty() ? -1 : Items().IndexOf(current));
}

int TDDListBox::DeleteSelectedEntries()
{
    int first = -1;
    for (int i = Items().Count() - 1; i >= 0; --i)
        if (Selected(i)) {
            Items().Delete(i);
            first = i;
        }
    return first;
}

void TDDListBox::RefreshSiblings()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TDDListBox*>(parent->Controls(i));
        if (sibling && sibling->Name() != Name() && sibling->FDirectory == FDirectory)
            sibling->LoadDirectory(sibling->FDirectory);
    }
}

bool TDDListBox::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Image")
        context.WhenCreated(value.Text(), [this](TComponent* c) { SetImage(dynamic_cast<TImage*>(c)); });
    else if (name == "ShowJPG")
        SetShowJPG(value.Bool());
    else if (name == "Directory")
        SetDirectory(value.Text());
    else if (name == "Action") {
        static const char* const names[] = {"taNone", "taCopy", "taMove", "taDelete", "taRename"};
        for (int i = 0; i < 5; ++i)
            if (value.Text() == names[i])
                SetAction(static_cast<TAction>(i));
    } else
        return TListBox::SetProperty(name, value, context);
    return true;
}
