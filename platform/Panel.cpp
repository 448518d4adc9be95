#include "platform/Panel.h"

#include <QPainter>
#include <QWidget>
#include <qdrawutil.h>

#include "platform/Layout.h"

namespace {
TBevelCut BevelCutOf(const std::string& name)
{
    return name == "bvLowered" ? bvLowered : name == "bvRaised" ? bvRaised : bvNone;
}

class PanelView : public QWidget {
public:
    TPanel* Owner = nullptr;
    QString Caption;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QRect r = rect();
        for (TBevelCut cut : {Owner->BevelOuter(), Owner->BevelInner()}) {
            if (cut == bvNone)
                continue;
            qDrawShadeRect(&painter, r, palette(), cut == bvLowered, 1);
            r.adjust(1, 1, -1, -1);
        }
        painter.drawText(r, Qt::AlignCenter, Caption);
    }
};
}

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, new PanelView)
{
    static_cast<PanelView*>(Widget())->Owner = this;
}

void TPanel::SetBevelInner(TBevelCut cut)
{
    FBevelInner = cut;
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut cut)
{
    FBevelOuter = cut;
    Invalidate();
}

bool TPanel::SetCaption(const std::string& caption)
{
    static_cast<PanelView*>(Widget())->Caption = QString::fromStdString(caption);
    Invalidate();
    return true;
}

bool TPanel::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "BevelInner")
        SetBevelInner(BevelCutOf(value.Text()));
    else if (name == "BevelOuter")
        SetBevelOuter(BevelCutOf(value.Text()));
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
