#pragma once
#include "platform/Form.h"

class TBevel;
class TButton;
class TEdit;

// The modal dialog that asks for a file's new name; it opens with the whole name selected, so typing
// replaces it.
class TOKRightDlg : public TForm {
public:
    explicit TOKRightDlg(TComponent* AOwner);
    ~TOKRightDlg() override;

    TButton* OKBtn = nullptr;
    TButton* CancelBtn = nullptr;
    TBevel* Bevel1 = nullptr;
    TEdit* Edit1 = nullptr;

    void OKBtnClick(TObject* Sender);
    void CancelBtnClick(TObject* Sender);
    void FormActivate(TObject* Sender);
};

// The one rename dialog of the program: empty until the first rename creates it.
extern TOKRightDlg* OKRightDlg;
