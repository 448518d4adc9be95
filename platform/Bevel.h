#pragma once
#include "platform/Control.h"

enum TBevelShape { bsBox, bsFrame };

// A sunken frame or box drawn around other controls; the mouse passes through it.
class TBevel : public TControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape shape);
    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

private:
    TBevelShape FShape = bsBox;
};
