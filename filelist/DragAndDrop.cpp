#include <algorithm>
#include <vector>

#include "filelist/DDListBox.h"
#include "filelist/WorkingDirectory.h"
#include "platform/ErrorReport.h"

void TDDListBox::MouseDown(TMouseButton, TShiftState Shift, int X, int Y)
{
    if (!Shift.Contains(ssLeft))
        return;
    if (ItemAtPos({X, Y}, true) == -1)
        return;
    BeginDrag(false);
    FAction = Shift.Contains(ssShift) ? taCopy : taMove;
    if (Shift.Contains(ssAlt))
        FAction = taMove;
    SetDragCursor(FAction == taCopy ? crDragCopy : crDrag);
}

void TDDListBox::DragOver(TObject* Source, int, int, TDragState, bool& Accept)
{
    if (dynamic_cast<TDDListBox*>(Source))
        Accept = true;
}

void TDDListBox::DragDrop(TObject* Source, int, int)
{
    auto* S = dynamic_cast<TDDListBox*>(Source);
    if (!S)
        return;
    int savedIndex = std::max(0, S->ItemIndex() - 1);
    int selectedCount = S->SelCount();
    int lastIndex = S->Items().Count() - 1;

    std::vector<std::string> dropped;
    if (selectedCount < 2) {
        dropped.push_back(S->Items()[S->ItemIndex()]);
    } else {
        for (int i = 0; i <= lastIndex; ++i)
            if (S->Selected(i))
                dropped.push_back(S->Items()[i]);
    }

    // One name the target already shows: nothing to do. Of several, the files all go to the shell, which
    // keeps any file it replaces in the trash, but the target shows each name once.
    bool skip = selectedCount < 2 && Items().IndexOf(dropped.front()) != -1;
    std::string nameList;
    for (const std::string& name : dropped) {
        if (Items().IndexOf(name) == -1)
            Items().Add(name);
        nameList += name;
        nameList += '\0';
    }
    nameList += '\0';

    if (!skip) {
        // A folder that cannot be entered is reported; the closing steps still run.
        bool ran = RunReportingErrors([&] { MakeWorkingDirectory(S->FDirectory); });
        bool done = ran && RunFileOperation(S->FAction, nameList);
        bool moved = S->FAction == taMove || S->FAction == taDelete;
        if (done && moved) {
            if (selectedCount < 2) {
                S->Items().Delete(S->ItemIndex());
                S->SetItemIndex(savedIndex);
            } else {
                S->SetItemIndex(std::max(0, S->DeleteSelectedEntries() - 1));
            }
        } else if (!done) {
            // Part of the drop may have gone through before the failure, and a failure may come from a
            // file or folder that changed since the lists were read: both lists show what is on disk.
            ReloadDirectoryKeepingSelection();
            if (S != this)
                S->ReloadDirectoryKeepingSelection();
        }
    }

    S->ShowCurrentPicture();
    RefreshSiblings();
}
