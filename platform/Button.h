#pragma once
#include <string>

#include "platform/Control.h"

class TForm;

// A push button. Pressing it sets its form's ModalResult to its own when that is not mrNone, then
// fires OnClick. Its form presses the Default button on Enter and the Cancel button on Esc.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    std::string Caption() const;
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    void Click() override;
    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

protected:
    bool SetCaption(const std::string& caption) override;

private:
    // The form the button sits in, through its parents; nullptr while it has none.
    TForm* ParentForm() const;

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};
