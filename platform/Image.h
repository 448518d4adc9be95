#pragma once
#include "platform/Control.h"
#include "platform/Graphics.h"

// Shows a picture: stretched to the control's bounds, or at natural size from the top-left corner.
// Mouse input passes through to the control below, as it does for a window-less control.
class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    TPicture& Picture() { return FPicture; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    // Platform side: paints the picture, reporting a decoder failure once per picture.
    void Paint(QPainter& painter);

private:
    TPicture FPicture;
    bool FStretch = false;
    const TGraphic* FFailedGraphic = nullptr;
};
