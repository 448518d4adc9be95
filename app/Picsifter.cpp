#include "app/Picsifter.h"

#include "filelist/DDListBox.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/Image.h"
#include "platform/Layout.h"
#include "platform/Memo.h"
#include "platform/Panel.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    RegisterComponentClass<TDDListBox>("TDDListBox");
    RegisterHandler("DirectoryListBox2Change", [this](TObject* Sender) { DirectoryListBox2Change(Sender); });
    RegisterHandler("DirectoryListBox3Change", [this](TObject* Sender) { DirectoryListBox3Change(Sender); });
    LoadFromLayout(":/app/Picsifter.layout");
    Bind(Panel2, "Panel2");
    Bind(Panel3, "Panel3");
    Bind(DriveComboBox2, "DriveComboBox2");
    Bind(DriveComboBox3, "DriveComboBox3");
    Bind(DirectoryListBox2, "DirectoryListBox2");
    Bind(DirectoryListBox3, "DirectoryListBox3");
    Bind(DDListBox2, "DDListBox2");
    Bind(DDListBox3, "DDListBox3");
    Bind(Image2, "Image2");
    Bind(Image3, "Image3");
    Bind(Memo1, "Memo1");
}

void TForm1::DirectoryListBox2Change(TObject*)
{
    DDListBox2->SetDirectory(DirectoryListBox2->Directory());
}

void TForm1::DirectoryListBox3Change(TObject*)
{
    DDListBox3->SetDirectory(DirectoryListBox3->Directory());
}
