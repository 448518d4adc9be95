#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <vector>

#include "platform/Application.h"
#include "platform/Layout.h"
#include "platform/PrintImage.h"

namespace {

class FormLayoutContext : public LayoutContext {
public:
    FormLayoutContext(TComponent& form, const std::map<std::string, TNotifyEvent>& handlers)
        : FForm(form), FHandlers(handlers) {}

    void WhenCreated(const std::string& name, std::function<void(TComponent*)> apply) override
    {
        if (TComponent* c = Find(name))
            apply(c);
        else
            FDeferred.emplace_back(name, std::move(apply));
    }

    TNotifyEvent Handler(const std::string& name) override
    {
        auto it = FHandlers.find(name);
        if (it == FHandlers.end())
            throw Exception("The layout of " + FForm.Name() + " names the unknown handler " + name);
        return it->second;
    }

    void ResolveDeferred()
    {
        for (auto& [name, apply] : FDeferred) {
            TComponent* c = Find(name);
            if (!c)
                throw Exception("The layout of " + FForm.Name() + " refers to the unknown component " + name);
            apply(c);
        }
    }

private:
    TComponent* Find(const std::string& name) { return name == FForm.Name() ? &FForm : FForm.FindComponent(name); }

    TComponent& FForm;
    const std::map<std::string, TNotifyEvent>& FHandlers;
    std::vector<std::pair<std::string, std::function<void(TComponent*)>>> FDeferred;
};

void CallLoaded(TComponent& component)
{
    for (int i = 0; i < component.ComponentCount(); ++i)
        CallLoaded(*component.Components(i));
    component.Loaded();
}

}  // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner, new QWidget(nullptr, Qt::Window))
{
    Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
}

TForm::~TForm() = default;

void TForm::RegisterHandler(const std::string& name, TNotifyEvent handler)
{
    FHandlers[name] = std::move(handler);
}

void TForm::LoadFromLayout(const std::string& resourcePath)
{
    FormLayoutContext context(*this, FHandlers);
    LoadLayout(*this, ReadLayoutResource(resourcePath), context);
    context.ResolveDeferred();
    CallLoaded(*this);
}

void TForm::SetCaptionText(const std::string& caption)
{
    FCaption = caption;
    Widget()->setWindowTitle(QString::fromStdString(caption));
}

bool TForm::SetCaption(const std::string& caption)
{
    SetCaptionText(caption);
    return true;
}

int TForm::ClientWidth() const { return Widget()->width(); }
int TForm::ClientHeight() const { return Widget()->height(); }

void TForm::SetClientWidth(int width)
{
    if (FBorderStyle == bsDialog)
        Widget()->setFixedWidth(width);
    Widget()->resize(std::max(0, width), Widget()->height());
}

void TForm::SetClientHeight(int height)
{
    if (FBorderStyle == bsDialog)
        Widget()->setFixedHeight(height);
    Widget()->resize(Widget()->width(), std::max(0, height));
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    FBorderStyle = style;
    Qt::WindowFlags flags = Qt::Window;
    if (style == bsNone)
        flags |= Qt::FramelessWindowHint;
    else if (style == bsDialog)
        flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    Widget()->setWindowFlags(flags);
    if (style == bsDialog)
        Widget()->setFixedSize(Widget()->size());
}

void TForm::Center()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    Widget()->move(area.x() + (area.width() - Widget()->width()) / 2,
                   area.y() + (area.height() - Widget()->height()) / 2);
}

void TForm::Show()
{
    if (FPosition == poScreenCenter)
        Center();
    Widget()->show();
    Widget()->raise();
    Widget()->activateWindow();
}

void TForm::Hide()
{
    Widget()->hide();
}

int TForm::ShowModal()
{
    FModalResult = mrNone;
    // The window the user came from takes the keyboard again afterwards; without a window manager
    // nobody else would give it back.
    QPointer<QWidget> previous = QApplication::activeWindow();
    Widget()->setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    FModalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    FModalLoop = nullptr;
    Widget()->hide();
    Widget()->setWindowModality(Qt::NonModal);
    if (previous)
        previous->activateWindow();
    return FModalResult;
}

void TForm::SetModalResult(int result)
{
    FModalResult = result;
    if (result != mrNone && FModalLoop)
        FModalLoop->exit();
}

void TForm::Print()
{
    PrintImage(Widget()->grab().toImage(), FCaption);
}

void TForm::WMNCHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

bool TForm::HandleMouse(QEvent* event)
{
    auto* e = static_cast<QMouseEvent*>(event);
    QPoint global = e->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (e->button() != Qt::LeftButton)
            return false;
        TMessage message{WM_NCHITTEST, 0};
        WMNCHitTest(message);
        if (message.Result != HTCAPTION)
            return false;
        QWindow* window = Widget()->windowHandle();
        if (!window || !window->startSystemMove()) {
            // Without a window manager that moves windows, follow the pointer ourselves.
            FMovingByHand = true;
            QPoint offset = global - Widget()->frameGeometry().topLeft();
            FMoveOffset = {offset.x(), offset.y()};
        }
        return true;
    }
    case QEvent::MouseMove:
        if (FMovingByHand && (e->buttons() & Qt::LeftButton)) {
            Widget()->move(global - QPoint(FMoveOffset.X, FMoveOffset.Y));
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (FMovingByHand) {
            FMovingByHand = false;
            return true;
        }
        return false;
    case QEvent::MouseButtonDblClick:
        if (e->button() == Qt::LeftButton) {
            DblClick();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TForm::WidgetEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return HandleMouse(event);
    case QEvent::WindowActivate:
        if (OnActivate)
            OnActivate(this);
        return false;
    case QEvent::KeyPress: {
        int key = static_cast<QKeyEvent*>(event)->key();
        TControl* button = (key == Qt::Key_Return || key == Qt::Key_Enter) ? FDefaultButton
                           : key == Qt::Key_Escape                           ? FCancelButton
                                                                             : nullptr;
        if (!button)
            return false;
        button->Click();
        return true;
    }
    case QEvent::Close:
        if (FModalLoop) {
            SetModalResult(mrCancel);
            static_cast<QCloseEvent*>(event)->ignore();
            return true;
        }
        if (Application && Application->MainForm() == this)
            Application->Terminate();
        return false;
    default:
        return TWinControl::WidgetEvent(event);
    }
}

bool TForm::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "ClientWidth")
        SetClientWidth(value.Int());
    else if (name == "ClientHeight")
        SetClientHeight(value.Int());
    else if (name == "BorderStyle")
        SetBorderStyle(value.Text() == "bsNone" ? bsNone : value.Text() == "bsDialog" ? bsDialog : bsSizeable);
    else if (name == "Position")
        SetPosition(value.Text() == "poScreenCenter" ? poScreenCenter : poDesigned);
    else if (name == "OnActivate")
        OnActivate = context.Handler(value.Text());
    else if (name == "PixelsPerInch" || name == "TextHeight") {
        // Layout sizes are pixels as they stand.
    } else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
