#pragma once
#include <string>
#include <vector>

#include "platform/Component.h"

class QAction;
class QMenu;
class QWidget;

// One command of a popup menu; the caption "-" makes a separator line.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);  // "&Zoom In": Z is the access key
    bool Checked() const;
    void SetChecked(bool checked);
    // The key as the widget library codes it: the virtual-key code plus 16384 for Ctrl, 8192 for Shift, 32768 for Alt.
    int ShortCut() const { return FShortCut; }
    void SetShortCut(int shortCut);
    TNotifyEvent OnClick;
    // Runs the item's command as a click would.
    void Click();

    bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context) override;
    QAction* Action() const { return FAction; }

private:
    std::string FCaption;
    int FShortCut = 0;
    QAction* FAction;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    void Add(TMenuItem* item);
    // Opens the menu at a screen position and returns when it has closed.
    void Popup(int X, int Y);

    void AdoptLayoutChild(TComponent& child) override;
    // Platform side: the items' shortcuts work in that widget and its children while it is in an active window.
    void AttachShortCutsTo(QWidget* widget);
    QMenu* Menu() const { return FMenu; }

private:
    std::vector<TMenuItem*> FItems;
    std::vector<QWidget*> FShortCutHosts;
    QMenu* FMenu;
};
