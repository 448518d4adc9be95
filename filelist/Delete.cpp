#include <algorithm>

#include "filelist/DDListBox.h"
#include "filelist/WorkingDirectory.h"

void TDDListBox::DeleteClick(TObject*)
{
    int selectedCount = SelCount();
    int count = Items().Count();
    int newIndex = ItemIndex();
    std::string nameList;
    if (selectedCount < 2) {
        nameList = Items()[ItemIndex()] + '\0' + '\0';
        MakeWorkingDirectory(FDirectory);
        if (RunFileOperation(taDelete, nameList)) {
            newIndex = std::max(0, ItemIndex() - 1);
            Items().Delete(ItemIndex());
        }
    } else {
        for (int i = 0; i < count; ++i)
            if (Selected(i)) {
                nameList += Items()[i];
                nameList += '\0';
            }
        nameList += '\0';
        MakeWorkingDirectory(FDirectory);
        if (RunFileOperation(taDelete, nameList)) {
            int first = -1;
            for (int i = count - 1; i >= 0; --i)
                if (Selected(i)) {
                    Items().Delete(i);
                    first = i;
                }
            newIndex = std::max(0, first - 1);
        }
    }
    RefreshSiblings();
    SetItemIndex(newIndex);
    if (ItemIndex() >= 0 && ItemIndex() < Items().Count() && FImage)
        ShowPicture(ItemIndex());
}
