#pragma once
#include <string>

#include "platform/Control.h"

class TDriveComboBox;

// The path from "/" down to the current directory, then its subdirectories, indented; double-click or
// Enter opens one. Starts on the process's current directory and reports it once the event loop runs.
class TDirectoryListBox : public TWinControl {
public:
    explicit TDirectoryListBox(TComponent* AOwner);
    // The full path, with no trailing "/" except for "/" itself.
    const std::string& Directory() const { return FDirectory; }
    // Moves to a directory and reports the change; throws when it cannot be read.
    void SetDirectory(const std::string& path);
    void SetItemHeight(int height);
    // Fired after each change of directory.
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    void Loaded() override;
    // Platform side: the drive selector that follows this list.
    void SetDriveCombo(TDriveComboBox* combo) { FDriveCombo = combo; }
    // The rows shown, for tests and the view.
    int RowCount() const;
    std::string RowPath(int row) const;
    void OpenRow(int row);

private:
    void Fill();
    std::string FDirectory;
    int FItemHeight = 16;
    TDriveComboBox* FDriveCombo = nullptr;
};
