#pragma once
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/Component.h"

class QEvent;
class TWinControl;
class TPopupMenu;

struct TPoint {
    int X = 0;
    int Y = 0;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// The keys and mouse buttons held during a mouse event.
class TShiftState {
public:
    constexpr TShiftState(unsigned bits = 0) : FBits(bits) {}
    constexpr bool Contains(TShiftFlag flag) const { return (FBits & flag) != 0; }
    constexpr unsigned Bits() const { return FBits; }

private:
    unsigned FBits;
};

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// The cursor shown while a drag is over a control that accepts it.
enum TDragCursor { crDrag, crDragCopy };

enum TAlign { alNone, alClient };

using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// A visible control, shown by a Qt widget that it owns.
class TControl : public TComponent {
public:
    TControl(TComponent* AOwner, QWidget* widget);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* parent);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(int left, int top, int width, int height);
    bool Visible() const;
    void SetVisible(bool visible);
    void Invalidate();
    void SetAlign(TAlign align);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    // Starts a drag from this control: at once, or once the pointer has moved the drag distance with the button held.
    void BeginDrag(bool Immediate);
    TDragCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TDragCursor cursor) { FDragCursor = cursor; }
    // Notifications a drag gives to the control under the pointer.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;

    // Platform side: the widget behind the control, and the control behind a widget.
    QWidget* Widget() const { return FWidget; }
    static TControl* FromWidget(QWidget* widget);
    // Events of the widget before the widget handles them; true when consumed.
    virtual bool WidgetEvent(QEvent* event);

    // Mouse notifications; the default ones fire the matching On... event.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();

protected:
    // The text of the control's caption in a layout; controls without one refuse it.
    virtual bool SetCaption(const std::string& caption);

private:
    friend class TWinControl;
    QPointer<QWidget> FWidget;  // a parent widget going first takes it along
    TWinControl* FParent = nullptr;
    TPopupMenu* FPopupMenu = nullptr;
    TDragCursor FDragCursor = crDrag;
    TAlign FAlign = alNone;
    class EventFilter;
    EventFilter* FEventFilter;
    class AlignFilter;
    AlignFilter* FAlignFilter = nullptr;
};

// A control that holds other controls.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }
    void AdoptLayoutChild(TComponent& child) override;

private:
    friend class TControl;
    std::vector<TControl*> FControls;
};

// The keys and buttons held now, as a shift state.
TShiftState ShiftStateOf(unsigned qtModifiers, unsigned qtButtons);
