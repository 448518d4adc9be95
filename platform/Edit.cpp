#include "platform/Edit.h"

#include <QLineEdit>

#include "platform/Layout.h"

namespace {
QLineEdit& LineEditOf(const TEdit& edit)
{
    return *static_cast<QLineEdit*>(edit.Widget());
}
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, new QLineEdit)
{
}

std::string TEdit::Text() const
{
    return LineEditOf(*this).text().toStdString();
}

void TEdit::SetText(const std::string& text)
{
    LineEditOf(*this).setText(QString::fromStdString(text));
}

void TEdit::SelectAll()
{
    LineEditOf(*this).selectAll();
}

void TEdit::SetFocus()
{
    LineEditOf(*this).setFocus(Qt::OtherFocusReason);
}

bool TEdit::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Text")
        SetText(value.Text());
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
