#include "windows/rename.h"

#include "platform/Bevel.h"
#include "platform/Button.h"
#include "platform/Edit.h"

TOKRightDlg* OKRightDlg = nullptr;

TOKRightDlg::TOKRightDlg(TComponent* AOwner) : TForm(AOwner)
{
    RegisterHandler("OKBtnClick", [this](TObject* Sender) { OKBtnClick(Sender); });
    RegisterHandler("CancelBtnClick", [this](TObject* Sender) { CancelBtnClick(Sender); });
    RegisterHandler("FormActivate", [this](TObject* Sender) { FormActivate(Sender); });
    LoadFromLayout(":/windows/rename.layout");
    Bind(OKBtn, "OKBtn");
    Bind(CancelBtn, "CancelBtn");
    Bind(Bevel1, "Bevel1");
    Bind(Edit1, "Edit1");
}

// The shared reference must not outlive the dialog: its owner list may go before the program ends.
TOKRightDlg::~TOKRightDlg()
{
    if (OKRightDlg == this)
        OKRightDlg = nullptr;
}

void TOKRightDlg::OKBtnClick(TObject*)
{
    SetModalResult(mrOk);
}

void TOKRightDlg::CancelBtnClick(TObject*)
{
    SetModalResult(mrCancel);
}

// Every showing starts with the whole name selected, so typing replaces it.
void TOKRightDlg::FormActivate(TObject*)
{
    Edit1->SelectAll();
    Edit1->SetFocus();
}
