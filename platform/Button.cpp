#include "platform/Button.h"

#include <QPushButton>

#include "platform/ErrorReport.h"
#include "platform/Form.h"
#include "platform/Layout.h"

namespace {
QPushButton& PushButtonOf(const TButton& button)
{
    return *static_cast<QPushButton*>(button.Widget());
}
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, new QPushButton)
{
    // Enter presses the focused button, as Space does; otherwise the form's default button.
    PushButtonOf(*this).setAutoDefault(true);
    QObject::connect(&PushButtonOf(*this), &QPushButton::clicked, [this] { RunReportingErrors([this] { Click(); }); });
}

std::string TButton::Caption() const
{
    return PushButtonOf(*this).text().toStdString();
}

bool TButton::SetCaption(const std::string& caption)
{
    PushButtonOf(*this).setText(QString::fromStdString(caption));
    return true;
}

TForm* TButton::ParentForm() const
{
    for (TWinControl* parent = Parent(); parent; parent = parent->Parent())
        if (auto* form = dynamic_cast<TForm*>(parent))
            return form;
    return nullptr;
}

void TButton::SetDefault(bool value)
{
    FDefault = value;
    PushButtonOf(*this).setDefault(value);
    if (TForm* form = ParentForm()) {
        if (value)
            form->SetDefaultButton(this);
        else if (form->DefaultButton() == this)
            form->SetDefaultButton(nullptr);
    }
}

void TButton::SetCancel(bool value)
{
    FCancel = value;
    if (TForm* form = ParentForm()) {
        if (value)
            form->SetCancelButton(this);
        else if (form->CancelButton() == this)
            form->SetCancelButton(nullptr);
    }
}

void TButton::Click()
{
    if (FModalResult != mrNone)
        if (TForm* form = ParentForm())
            form->SetModalResult(FModalResult);
    TWinControl::Click();
}

bool TButton::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Default")
        SetDefault(value.Bool());
    else if (name == "Cancel")
        SetCancel(value.Bool());
    else if (name == "ModalResult")
        SetModalResult(value.Int());
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
