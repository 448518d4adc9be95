#include "platform/Memo.h"

#include <QPlainTextEdit>

#include "platform/Layout.h"

namespace {
QPlainTextEdit& EditOf(const TMemo& memo)
{
    return *static_cast<QPlainTextEdit*>(memo.Widget());
}
}

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, new QPlainTextEdit)
{
    // Lines wrap at the control's width, and a scroll bar appears only when the text is longer than the control.
    EditOf(*this).setLineWrapMode(QPlainTextEdit::WidgetWidth);
    EditOf(*this).setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::vector<std::string> TMemo::Lines() const
{
    std::vector<std::string> lines;
    for (const QString& line : EditOf(*this).toPlainText().split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    EditOf(*this).setPlainText(text.join('\n'));
}

bool TMemo::ReadOnly() const
{
    return EditOf(*this).isReadOnly();
}

void TMemo::SetReadOnly(bool readOnly)
{
    EditOf(*this).setReadOnly(readOnly);
}

bool TMemo::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "Lines.Strings")
        SetLines(value.Items());
    else if (name == "ReadOnly")
        SetReadOnly(value.Bool());
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
