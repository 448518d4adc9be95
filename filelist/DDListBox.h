#pragma once
#include <string>

#include "platform/ListBox.h"
#include "platform/ShellFileOperation.h"

class TImage;
class TPopupMenu;

// The file action of a list: what a drag from it does, and what its commands ask of the shell.
enum TAction : unsigned char { taNone, taCopy, taMove, taDelete, taRename };

// Lists the *.jpg files of one directory; shows the picture under the pointer in its preview; is source and
// target of drag and drop between panes; carries the popup menu of file commands.
class TDDListBox : public TListBox {
public:
    explicit TDDListBox(TComponent* AOwner);

    // The directory shown, ending in "/"; empty until one is loaded.
    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value);
    void LoadDirectory(const std::string& Path);
    void ReloadDirectoryKeepingSelection();
    void RefreshSiblings();

    TImage* GetImage() const;
    void SetImage(TImage* Value);
    bool ShowJPG() const { return FShowJPG; }
    void SetShowJPG(bool Value) { FShowJPG = Value; }
    TAction Action() const { return FAction; }
    void SetAction(TAction Value) { FAction = Value; }
    void ShowPicture(int Index);

    void InitFileOperation();
    void SetFileOperationKind(TAction Action);
    void SetFileOperationTarget(const std::string& Path);
    bool RunFileOperation(TAction Action, const std::string& NameList);

    TPopupMenu* BuildPopupMenu();
    void ZoomIn(TObject* Sender);
    void AutoShowClick(TObject* Sender);
    void RenameClick(TObject* Sender);
    void SortedClick(TObject* Sender);
    void DeleteClick(TObject* Sender);

    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

    // Read-only views of the state, for the windows that follow a list and for tests.
    int PictureWidth() const { return FPictureWidth; }
    int PictureHeight() const { return FPictureHeight; }
    int LastIndex() const { return FLastIndex; }
    const SHFILEOPSTRUCT& FileOp() const { return FFileOp; }
    TPopupMenu* PopupMenuOfList() const { return FPopupMenu; }

private:
    // Removes the selected entries; returns the index the first of them had.
    int DeleteSelectedEntries();
    // Shows the current entry in the preview when there is one and a preview is linked.
    void ShowCurrentPicture();

    std::string FDirectory;
    TPopupMenu* FPopupMenu = nullptr;
    TImage* FImage = nullptr;
    int FPictureWidth = 0;
    int FPictureHeight = 0;
    int FImageTop = 0;
    int FImageLeft = 0;
    int FImageWidth = 0;
    int FImageHeight = 0;
    int FLastIndex = 0;
    bool FShowJPG = false;
    TAction FAction = taNone;
    SHFILEOPSTRUCT FFileOp{};
};
