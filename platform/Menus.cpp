#include "platform/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "platform/ErrorReport.h"
#include "platform/Layout.h"

namespace {
QKeySequence KeySequenceOf(int shortCut)
{
    if (shortCut == 0)
        return {};
    int key = shortCut & 0xFF;  // virtual-key codes of letters and digits are their ASCII capitals
    int modifiers = 0;
    if (shortCut & 16384)
        modifiers |= Qt::CTRL;
    if (shortCut & 8192)
        modifiers |= Qt::SHIFT;
    if (shortCut & 32768)
        modifiers |= Qt::ALT;
    return QKeySequence(modifiers | key);
}
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FAction(new QAction())
{
    FAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(FAction, &QAction::triggered, [this] { RunReportingErrors([this] { Click(); }); });
}

TMenuItem::~TMenuItem()
{
    delete FAction;
}

void TMenuItem::SetCaption(const std::string& caption)
{
    FCaption = caption;
    bool separator = caption == "-";
    FAction->setSeparator(separator);
    FAction->setText(separator ? QString() : QString::fromStdString(caption));  // a separator line shows no text
}

bool TMenuItem::Checked() const
{
    return FAction->isChecked();
}

void TMenuItem::SetChecked(bool checked)
{
    FAction->setCheckable(true);
    FAction->setChecked(checked);
}

void TMenuItem::SetShortCut(int shortCut)
{
    FShortCut = shortCut;
    FAction->setShortcut(KeySequenceOf(shortCut));
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TMenuItem::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Caption")
        SetCaption(value.Text());
    else if (name == "Checked")
        SetChecked(value.Bool());
    else if (name == "ShortCut")
        SetShortCut(value.Int());
    else if (name == "OnClick")
        OnClick = context.Handler(value.Text());
    else
        return TComponent::SetProperty(name, value, context);
    return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FMenu(new QMenu())
{
}

TPopupMenu::~TPopupMenu()
{
    delete FMenu;
}

void TPopupMenu::Add(TMenuItem* item)
{
    FItems.push_back(item);
    FMenu->addAction(item->Action());
    for (QWidget* host : FShortCutHosts) {
        if (host->isWindow())
            item->Action()->setShortcutContext(Qt::WindowShortcut);
        host->addAction(item->Action());
    }
}

void TPopupMenu::Popup(int X, int Y)
{
    FMenu->exec(QPoint(X, Y));
}

void TPopupMenu::AdoptLayoutChild(TComponent& child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(&child))
        Add(item);
    else
        TComponent::AdoptLayoutChild(child);
}

void TPopupMenu::AttachShortCutsTo(QWidget* widget)
{
    if (std::find(FShortCutHosts.begin(), FShortCutHosts.end(), widget) != FShortCutHosts.end())
        return;
    FShortCutHosts.push_back(widget);
    // A window's own menu answers its keys wherever the focus is in the window, and also when nothing
    // in it takes the keyboard (a window that only shows a picture).
    if (widget->isWindow())
        for (TMenuItem* item : FItems)
            item->Action()->setShortcutContext(Qt::WindowShortcut);
    for (TMenuItem* item : FItems)
        widget->addAction(item->Action());
}
