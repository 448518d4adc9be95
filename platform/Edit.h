#pragma once
#include <string>

#include "platform/Control.h"

// A one-line text field.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    std::string Text() const;
    void SetText(const std::string& text);
    void SelectAll();
    // Gives the field the keyboard focus; in a window that is not active, once the window is.
    void SetFocus();
    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
};
