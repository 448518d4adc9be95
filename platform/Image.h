#pragma once
#include "platform/Control.h"
#include "platform/Graphics.h"

class QTimer;

// Shows a picture: stretched to the control's bounds, or at natural size from the top-left corner.
// Mouse input passes through to the control below, as it does for a window-less control.
class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    TPicture& Picture() { return FPicture; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    // Paints a picture's draft (a JPEG's EXIF thumbnail) at once and the picture itself when the event
    // loop is next idle, unless another picture has taken its place by then. Off: the picture itself
    // is painted at once.
    bool DraftFirst() const { return FDraftFirst; }
    void SetDraftFirst(bool draftFirst);
    // A draft is on screen and the picture itself is still to come.
    bool SharpPictureOwed() const;

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    // Platform side: paints the picture, reporting a decoder failure once per picture.
    void Paint(QPainter& painter);

private:
    TPicture FPicture;
    void PaintSharp();

    bool FStretch = false;
    bool FDraftFirst = false;
    const TGraphic* FFailedGraphic = nullptr;
    const TGraphic* FDraftOf = nullptr;  // the picture whose draft was painted
    QTimer* FSharpTimer = nullptr;       // owned by the widget
};
