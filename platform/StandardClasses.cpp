#include "platform/StandardClasses.h"

#include "platform/Bevel.h"
#include "platform/Button.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/Edit.h"
#include "platform/Image.h"
#include "platform/Layout.h"
#include "platform/ListBox.h"
#include "platform/Memo.h"
#include "platform/Menus.h"
#include "platform/Panel.h"

void RegisterStandardClasses()
{
    static const bool registered = [] {
        RegisterComponentClass<TPanel>("TPanel");
        RegisterComponentClass<TMemo>("TMemo");
        RegisterComponentClass<TImage>("TImage");
        RegisterComponentClass<TListBox>("TListBox");
        RegisterComponentClass<TDriveComboBox>("TDriveComboBox");
        RegisterComponentClass<TDirectoryListBox>("TDirectoryListBox");
        RegisterComponentClass<TPopupMenu>("TPopupMenu");
        RegisterComponentClass<TMenuItem>("TMenuItem");
        RegisterComponentClass<TEdit>("TEdit");
        RegisterComponentClass<TButton>("TButton");
        RegisterComponentClass<TBevel>("TBevel");
        return true;
    }();
    (void)registered;
}
