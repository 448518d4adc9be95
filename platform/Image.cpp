#include "platform/Image.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "platform/ErrorReport.h"
#include "platform/Layout.h"

namespace {
class ImageView : public QWidget {
public:
    ImageView() { setAttribute(Qt::WA_TransparentForMouseEvents); }
    TImage* Owner = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        Owner->Paint(painter);
    }
};
}

TImage::TImage(TComponent* AOwner) : TControl(AOwner, new ImageView)
{
    static_cast<ImageView*>(Widget())->Owner = this;
    // A zero timer fires once the window system's pending events, the pointer's next moves among
    // them, have been handled.
    FSharpTimer = new QTimer(Widget());
    FSharpTimer->setSingleShot(true);
    FSharpTimer->setInterval(0);
    QObject::connect(FSharpTimer, &QTimer::timeout, [this] { PaintSharp(); });
    FPicture.OnChange = [this] {
        FFailedGraphic = nullptr;
        FDraftOf = nullptr;
        FSharpTimer->stop();  // the picture it was for is gone: its decode would be wasted
        Invalidate();
    };
}

void TImage::SetDraftFirst(bool draftFirst)
{
    FDraftFirst = draftFirst;
}

bool TImage::SharpPictureOwed() const
{
    return FSharpTimer->isActive();
}

void TImage::PaintSharp()
{
    Widget()->repaint();
}

void TImage::SetStretch(bool stretch)
{
    FStretch = stretch;
    Invalidate();
}

void TImage::Paint(QPainter& painter)
{
    TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty() || graphic == FFailedGraphic)
        return;
    QRect dest = FStretch ? Widget()->rect() : QRect(0, 0, graphic->Width(), graphic->Height());
    if (dest.isEmpty())
        return;
    try {
        if (FDraftFirst && graphic != FDraftOf && graphic->DrawDraft(painter, dest)) {
            FDraftOf = graphic;
            FSharpTimer->start();
            return;
        }
        if (SharpPictureOwed() && graphic->DrawDraft(painter, dest))  // painted again before the timer
            return;
        graphic->Draw(painter, dest);
    } catch (const std::exception& e) {
        // Painting must not open a message box; report once the paint is over.
        FFailedGraphic = graphic;
        QTimer::singleShot(0, [message = std::string(e.what())] { ReportError(message); });
    }
}

bool TImage::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Stretch")
        SetStretch(value.Bool());
    else
        return TControl::SetProperty(name, value, context);
    return true;
}
