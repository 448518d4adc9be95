#pragma once
#include "platform/Form.h"

class TPanel;
class TDriveComboBox;
class TDirectoryListBox;
class TDDListBox;
class TImage;
class TMemo;

// The main window: the instructions on the left, two panes of drive, directory, file list and preview.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);

    TPanel* Panel2 = nullptr;
    TPanel* Panel3 = nullptr;
    TDriveComboBox* DriveComboBox2 = nullptr;
    TDriveComboBox* DriveComboBox3 = nullptr;
    TDirectoryListBox* DirectoryListBox2 = nullptr;
    TDirectoryListBox* DirectoryListBox3 = nullptr;
    TDDListBox* DDListBox2 = nullptr;
    TDDListBox* DDListBox3 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TMemo* Memo1 = nullptr;

    void DirectoryListBox2Change(TObject* Sender);
    void DirectoryListBox3Change(TObject* Sender);
};

extern TForm1* Form1;
