#pragma once
#include <string>
#include <vector>

#include "platform/Control.h"

class TDirectoryListBox;

// The volumes a user works with: "/", the home folder, removable media under /media and /run/media,
// and mounts under /mnt. Choosing one moves the linked directory list to its root.
class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(TComponent* AOwner);
    TDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TDirectoryListBox* list);
    // The roots offered, in the order shown.
    const std::vector<std::string>& Drives() const { return FRoots; }
    std::string Drive() const;
    // Chooses a volume as the user would.
    void ChooseDrive(int index);

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    // Platform side: shows the volume that holds path; reads the volumes anew.
    void ShowDriveOf(const std::string& path);
    void Refresh();

private:
    std::vector<std::string> FRoots;
    TDirectoryListBox* FDirList = nullptr;
};
