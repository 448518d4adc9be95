#pragma once
#include <map>
#include <string>

#include "platform/Control.h"
#include "platform/Exceptions.h"

class QEventLoop;

enum TBorderStyle { bsSizeable, bsNone, bsDialog };
enum TPosition { poDesigned, poScreenCenter };

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// A window message, as far as the hit test needs one.
struct TMessage {
    unsigned Msg = 0;
    long Result = 0;
};
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr long HTCLIENT = 1;
constexpr long HTCAPTION = 2;

// A top-level window built from its layout file.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaptionText(const std::string& caption);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }

    // Modeless: shows the window and brings it to the front.
    void Show();
    void Hide();
    // Shows the window modally and returns its ModalResult once something set it (mrCancel when closed).
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result);
    // Prints the client area as an image on the default printer, fitted to the page.
    void Print();

    TNotifyEvent OnActivate;

    // The buttons that Enter and Esc press.
    TControl* DefaultButton() const { return FDefaultButton; }
    TControl* CancelButton() const { return FCancelButton; }
    void SetDefaultButton(TControl* button) { FDefaultButton = button; }
    void SetCancelButton(TControl* button) { FCancelButton = button; }

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    bool WidgetEvent(QEvent* event) override;

protected:
    // Names that the layout's On... properties may use.
    void RegisterHandler(const std::string& name, TNotifyEvent handler);
    // Builds the window's components from a layout compiled into the program.
    void LoadFromLayout(const std::string& resourcePath);
    template <class T>
    void Bind(T*& field, const std::string& name)
    {
        field = dynamic_cast<T*>(FindComponent(name));
        if (!field)
            throw Exception("The layout of " + Name() + " has no " + name + " of the expected class");
    }
    // The hit test of a press: HTCAPTION lets the press move the window.
    virtual void WMNCHitTest(TMessage& Message);
    bool SetCaption(const std::string& caption) override;

private:
    void Center();
    bool HandleMouse(QEvent* event);

    std::map<std::string, TNotifyEvent> FHandlers;
    std::string FCaption;
    TBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    int FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    TControl* FDefaultButton = nullptr;
    TControl* FCancelButton = nullptr;
    bool FMovingByHand = false;
    TPoint FMoveOffset;
};
