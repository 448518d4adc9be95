#pragma once
#include "platform/Form.h"

class TImage;
class TPopupMenu;
class TMenuItem;

// A borderless window that shows one picture at its natural size. Pressing the left button anywhere
// in it drags it; its popup menu hides or prints it.
class TZoomInFm : public TForm {
public:
    explicit TZoomInFm(TComponent* AOwner);
    ~TZoomInFm() override;

    TImage* ImageZm = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Close1 = nullptr;
    TMenuItem* Print1 = nullptr;

    void Close1Click(TObject* Sender);
    void Print1Click(TObject* Sender);
    void DblClick() override;

protected:
    void WMNCHitTest(TMessage& Message) override;
};

// The one zoom window of the program: empty until the first zoom creates it.
extern TZoomInFm* ZoomInFm;
