#pragma once
#include "platform/Control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container with a raised outer bevel and an optional inner one.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);
    void SetBevelInner(TBevelCut cut);
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return FBevelInner; }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

protected:
    bool SetCaption(const std::string& caption) override;

private:
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
};
