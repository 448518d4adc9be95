#include "platform/Bevel.h"

#include <QPainter>
#include <QWidget>
#include <qdrawutil.h>

#include "platform/Layout.h"

namespace {
class BevelView : public QWidget {
public:
    BevelView() { setAttribute(Qt::WA_TransparentForMouseEvents); }
    TBevel* Owner = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QRect r = rect();
        if (Owner->Shape() == bsFrame) {
            // An etched line: a shadow rectangle with a highlight one pixel inside and below it.
            painter.setPen(palette().color(QPalette::Light));
            painter.drawRect(QRect(1, 1, r.width() - 2, r.height() - 2));
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawRect(QRect(0, 0, r.width() - 2, r.height() - 2));
        } else {
            qDrawShadePanel(&painter, r, palette(), true, 1);
        }
    }
};
}

TBevel::TBevel(TComponent* AOwner) : TControl(AOwner, new BevelView)
{
    static_cast<BevelView*>(Widget())->Owner = this;
}

void TBevel::SetShape(TBevelShape shape)
{
    FShape = shape;
    Invalidate();
}

bool TBevel::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Shape")
        SetShape(value.Text() == "bsFrame" ? bsFrame : bsBox);
    else
        return TControl::SetProperty(name, value, context);
    return true;
}
