#include <algorithm>

#include "filelist/DDListBox.h"
#include "filelist/WorkingDirectory.h"
#include "platform/ErrorReport.h"

void TDDListBox::DeleteClick(TObject*)
{
    int selectedCount = SelCount();
    int count = Items().Count();
    int newIndex = ItemIndex();
    std::string nameList;
    if (selectedCount < 2) {
        nameList = Items()[ItemIndex()] + '\0' + '\0';
    } else {
        for (int i = 0; i < count; ++i)
            if (Selected(i)) {
                nameList += Items()[i];
                nameList += '\0';
            }
        nameList += '\0';
    }
    // A folder that cannot be entered is reported; the closing steps still run.
    const bool ran = RunReportingErrors([&] { MakeWorkingDirectory(FDirectory); });
    if (ran && RunFileOperation(taDelete, nameList)) {
        if (selectedCount < 2) {
            newIndex = std::max(0, ItemIndex() - 1);
            Items().Delete(ItemIndex());
        } else {
            newIndex = std::max(0, DeleteSelectedEntries() - 1);
        }
    } else {
        // Files deleted before the failure, or gone since the folder was read, leave the list.
        ReloadDirectoryKeepingSelection();
        newIndex = ItemIndex();
    }
    RefreshSiblings();
    SetItemIndex(newIndex);
    ShowCurrentPicture();
}
