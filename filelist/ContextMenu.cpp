#include "filelist/DDListBox.h"
#include "platform/Menus.h"

TPopupMenu* TDDListBox::BuildPopupMenu()
{
    struct Row {
        const char* caption;
        bool checked;
        void (TDDListBox::*command)(TObject*);
    };
    static const Row rows[] = {
        {"&Zoom In", false, &TDDListBox::ZoomIn},     {"&Auto Show", true, &TDDListBox::AutoShowClick},
        {"&Rename", false, &TDDListBox::RenameClick}, {"&Sorted", true, &TDDListBox::SortedClick},
        {"-", false, nullptr},                        {"&Delete", false, &TDDListBox::DeleteClick},
    };
    FPopupMenu = new TPopupMenu(this);
    for (const Row& row : rows) {
        auto* item = new TMenuItem(FPopupMenu);
        item->SetCaption(row.caption);
        if (row.checked)
            item->SetChecked(true);
        if (row.command)
            item->OnClick = [this, command = row.command](TObject* Sender) { (this->*command)(Sender); };
        FPopupMenu->Add(item);
    }
    return FPopupMenu;
}

void TDDListBox::AutoShowClick(TObject*)
{
    FShowJPG = !FShowJPG;
    SetMultiSelect(!MultiSelect());
    TMenuItem* item = FPopupMenu->Items(1);
    item->SetChecked(!item->Checked());
}

void TDDListBox::SortedClick(TObject*)
{
    Clear();
    SetSorted(!Sorted());
    TMenuItem* item = FPopupMenu->Items(3);
    item->SetChecked(!item->Checked());
    LoadDirectory(FDirectory);
}
