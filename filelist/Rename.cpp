#include <algorithm>

#include "filelist/DDListBox.h"
#include "filelist/WorkingDirectory.h"
#include "platform/Edit.h"
#include "platform/ErrorReport.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"
#include "windows/rename.h"

void TDDListBox::RenameClick(TObject*)
{
    if (!OKRightDlg)
        OKRightDlg = new TOKRightDlg(this);
    OKRightDlg->Edit1->SetText(Items()[ItemIndex()]);
    if (OKRightDlg->ShowModal() != mrOk)
        return;
    const std::string sourceList = Items()[ItemIndex()] + '\0' + '\0';
    const std::string newText = OKRightDlg->Edit1->Text();
    // Either would name the folder rather than a file.
    if (newText.empty())
        throw Exception("The new name is empty: " + Items()[ItemIndex()] + " keeps its name.");
    if (newText.back() == '/')
        throw Exception("\"" + newText + "\" is a folder, not a file name: " + Items()[ItemIndex()] +
                        " keeps its name.");
    const bool inPlace = ExtractFileDir(newText).empty();
    if (inPlace && newText == Items()[ItemIndex()])
        return;  // OK on the unchanged name: nothing to do, and nothing to complain about
    const std::string destination = (inPlace ? FDirectory + newText : newText) + '\0';
    SetFileOperationTarget(destination);
    const bool ran = RunReportingErrors([&] { MakeWorkingDirectory(FDirectory); });
    if (!ran || !RunFileOperation(taRename, sourceList)) {
        // The failure may come from a file or folder that changed since the list was read.
        ReloadDirectoryKeepingSelection();
        return;
    }
    if (inPlace) {
        Items().Put(ItemIndex(), newText);
        // The file that had the name went to the trash; its entry goes too.
        for (int i = 0; i < Items().Count(); ++i)
            if (i != ItemIndex() && Items()[i] == newText) {
                Items().Delete(i);
                break;
            }
    } else {
        const int newIndex = std::max(0, ItemIndex() - 1);
        Items().Delete(ItemIndex());
        SetItemIndex(newIndex);
    }
}
