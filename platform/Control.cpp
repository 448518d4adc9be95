#include "platform/Control.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "platform/DragDrop.h"
#include "platform/ErrorReport.h"
#include "platform/Layout.h"
#include "platform/Menus.h"

namespace {
const char* const kControlProperty = "picsift_control";
}

// Hands the widget's events to the control first; exceptions stop here and are reported.
class TControl::EventFilter : public QObject {
public:
    explicit EventFilter(TControl& control) : FControl(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != FControl.Widget())
            return false;
        bool consumed = false;
        RunReportingErrors([&] { consumed = FControl.WidgetEvent(event); });
        return consumed;
    }

private:
    TControl& FControl;
};

// Keeps an alClient control covering its parent's client area.
class TControl::AlignFilter : public QObject {
public:
    explicit AlignFilter(QWidget& widget) : FWidget(widget) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == FWidget.parentWidget())
            FWidget.setGeometry(FWidget.parentWidget()->rect());
        return false;
    }

private:
    QWidget& FWidget;
};

TControl::TControl(TComponent* AOwner, QWidget* widget) : TComponent(AOwner), FWidget(widget)
{
    FWidget->setProperty(kControlProperty, QVariant::fromValue<void*>(this));
    FEventFilter = new EventFilter(*this);
    FWidget->installEventFilter(FEventFilter);
}

TControl::~TControl()
{
    DestroyComponents();  // their widgets may lie inside this one
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    CancelDragOf(this);
    delete FAlignFilter;
    if (FWidget) {
        FWidget->removeEventFilter(FEventFilter);
        FWidget->setProperty(kControlProperty, QVariant());
        delete FWidget.data();
    }
    delete FEventFilter;
}

// The owned components go while the list of children still exists, for each removes itself from it;
// children owned elsewhere must not keep a pointer to this parent.
TWinControl::~TWinControl()
{
    DestroyComponents();
    for (TControl* child : FControls)
        child->FParent = nullptr;
}

TControl* TControl::FromWidget(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        QVariant v = widget->property(kControlProperty);
        if (v.isValid())
            return static_cast<TControl*>(v.value<void*>());
    }
    return nullptr;
}

void TControl::SetParent(TWinControl* parent)
{
    if (FParent == parent)
        return;
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    FParent = parent;
    bool hidden = FWidget->isHidden() && FWidget->testAttribute(Qt::WA_WState_ExplicitShowHide);
    FWidget->setParent(parent ? parent->Widget() : nullptr);
    if (parent) {
        parent->FControls.push_back(this);
        FWidget->setVisible(!hidden);
    }
}

int TControl::Left() const { return FWidget->isWindow() ? FWidget->frameGeometry().x() : FWidget->x(); }
int TControl::Top() const { return FWidget->isWindow() ? FWidget->frameGeometry().y() : FWidget->y(); }
int TControl::Width() const { return FWidget->width(); }
int TControl::Height() const { return FWidget->height(); }
void TControl::SetLeft(int value) { FWidget->move(value, Top()); }
void TControl::SetTop(int value) { FWidget->move(Left(), value); }
void TControl::SetWidth(int value) { FWidget->resize(std::max(0, value), Height()); }
void TControl::SetHeight(int value) { FWidget->resize(Width(), std::max(0, value)); }

void TControl::SetBounds(int left, int top, int width, int height)
{
    FWidget->move(left, top);
    FWidget->resize(std::max(0, width), std::max(0, height));
}

bool TControl::Visible() const { return FWidget->isVisible() || !FWidget->isHidden(); }
void TControl::SetVisible(bool visible) { FWidget->setVisible(visible); }
void TControl::Invalidate() { FWidget->update(); }

void TControl::SetAlign(TAlign align)
{
    FAlign = align;
    delete FAlignFilter;
    FAlignFilter = nullptr;
    if (align == alClient && FWidget->parentWidget()) {
        FAlignFilter = new AlignFilter(*FWidget);
        FWidget->parentWidget()->installEventFilter(FAlignFilter);
        FWidget->setGeometry(FWidget->parentWidget()->rect());
    }
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    FPopupMenu = menu;
    if (menu)
        menu->AttachShortCutsTo(FWidget);
}

void TControl::BeginDrag(bool Immediate)
{
    BeginDragFrom(this, Immediate);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TControl::WidgetEvent(QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && FPopupMenu) {
        auto* e = static_cast<QContextMenuEvent*>(event);
        FPopupMenu->Popup(e->globalPos().x(), e->globalPos().y());
        return true;
    }
    return false;
}

bool TControl::SetCaption(const std::string&)
{
    return false;
}

bool TControl::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Left")
        SetLeft(value.Int());
    else if (name == "Top")
        SetTop(value.Int());
    else if (name == "Width")
        SetWidth(value.Int());
    else if (name == "Height")
        SetHeight(value.Int());
    else if (name == "Visible")
        SetVisible(value.Bool());
    else if (name == "Caption")
        return SetCaption(value.Text());
    else if (name == "Align")
        SetAlign(value.Text() == "alClient" ? alClient : alNone);
    else if (name == "Font.Height") {
        // Layout fonts are given by pixel height; the face is the desktop's sans-serif.
        QFont font = FWidget->font();
        font.setPixelSize(std::abs(value.Int()));
        FWidget->setFont(font);
    } else if (name == "Font.Name" || name == "Font.Charset" || name == "Font.Color" || name == "Font.Style" ||
               name == "ParentFont" || name == "TabOrder") {
        // The desktop's face, charset and colour apply; focus follows creation order, which the layouts keep
        // equal to their tab order.
    } else if (name == "PopupMenu")
        context.WhenCreated(value.Text(), [this](TComponent* c) { SetPopupMenu(dynamic_cast<TPopupMenu*>(c)); });
    else if (name.rfind("On", 0) == 0 && (name == "OnClick" || name == "OnDblClick"))
        (name == "OnClick" ? OnClick : OnDblClick) = context.Handler(value.Text());
    else
        return TComponent::SetProperty(name, value, context);
    return true;
}

void TWinControl::AdoptLayoutChild(TComponent& child)
{
    if (auto* control = dynamic_cast<TControl*>(&child))
        control->SetParent(this);
}

TShiftState ShiftStateOf(unsigned qtModifiers, unsigned qtButtons)
{
    unsigned bits = 0;
    if (qtModifiers & Qt::ShiftModifier)
        bits |= ssShift;
    if (qtModifiers & Qt::AltModifier)
        bits |= ssAlt;
    if (qtModifiers & Qt::ControlModifier)
        bits |= ssCtrl;
    if (qtButtons & Qt::LeftButton)
        bits |= ssLeft;
    if (qtButtons & Qt::RightButton)
        bits |= ssRight;
    if (qtButtons & Qt::MiddleButton)
        bits |= ssMiddle;
    return TShiftState(bits);
}
