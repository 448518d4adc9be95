#include "filelist/DDListBox.h"

void TDDListBox::InitFileOperation()
{
    FFileOp.hwnd = nullptr;
    FFileOp.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
}

void TDDListBox::SetFileOperationKind(TAction Action)
{
    switch (Action) {
    case taNone: break;
    case taCopy: FFileOp.wFunc = FO_COPY; break;
    case taMove: FFileOp.wFunc = FO_MOVE; break;
    case taDelete: FFileOp.wFunc = FO_DELETE; break;
    case taRename: FFileOp.wFunc = FO_RENAME; break;
    }
}

void TDDListBox::SetFileOperationTarget(const std::string& Path)
{
    FFileOp.pTo = Path.c_str();
}

bool TDDListBox::RunFileOperation(TAction Action, const std::string& NameList)
{
    SetFileOperationKind(Action);
    FFileOp.pFrom = NameList.c_str();
    std::string destination;
    if (Action != taRename) {
        destination = FDirectory + '\0';
        FFileOp.pTo = destination.c_str();
    }
    int result = SHFileOperationA(&FFileOp);
    // The strings behind the record die with the callers: a later rename must set a fresh target.
    FFileOp.pFrom = nullptr;
    FFileOp.pTo = nullptr;
    return result == 0;
}
