#include "windows/ZoomInFm.h"

#include "platform/Image.h"
#include "platform/KeyState.h"
#include "platform/Menus.h"

TZoomInFm* ZoomInFm = nullptr;

TZoomInFm::TZoomInFm(TComponent* AOwner) : TForm(AOwner)
{
    RegisterHandler("Close1Click", [this](TObject* Sender) { Close1Click(Sender); });
    RegisterHandler("Print1Click", [this](TObject* Sender) { Print1Click(Sender); });
    LoadFromLayout(":/windows/ZoomInFm.layout");
    Bind(ImageZm, "ImageZm");
    Bind(PopupMenu1, "PopupMenu1");
    Bind(Close1, "Close1");
    Bind(Print1, "Print1");
}

// The shared reference must not outlive the window: its owner list may go before the program ends.
TZoomInFm::~TZoomInFm()
{
    if (ZoomInFm == this)
        ZoomInFm = nullptr;
}

void TZoomInFm::Close1Click(TObject*)
{
    Hide();
}

void TZoomInFm::Print1Click(TObject*)
{
    Print();
}

void TZoomInFm::DblClick()
{
    TForm::DblClick();
    Hide();
}

// While the left button is down the whole window is its title bar, so a press anywhere drags it.
void TZoomInFm::WMNCHitTest(TMessage& Message)
{
    Message.Result = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 ? HTCAPTION : HTCLIENT;
}
