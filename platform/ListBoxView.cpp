#include "platform/ListBoxView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/ErrorReport.h"
#include "platform/ListBox.h"

ListBoxView::ListBoxView(TListBox& owner) : FOwner(owner)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
}

int ListBoxView::RowsVisible() const
{
    return std::max(1, viewport()->height() / std::max(1, FOwner.ItemHeight()));
}

void ListBoxView::UpdateScrollRange()
{
    int rows = RowsVisible();
    verticalScrollBar()->setRange(0, std::max(0, FOwner.Items().Count() - rows));
    verticalScrollBar()->setPageStep(rows);
    viewport()->update();
}

void ListBoxView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    int height = FOwner.ItemHeight();
    int count = FOwner.Items().Count();
    int top = verticalScrollBar()->value();
    int first = top + event->rect().top() / height;
    int last = std::min(count - 1, top + event->rect().bottom() / height);
    const QPalette& pal = palette();
    for (int i = first; i <= last; ++i) {
        QRect row(0, (i - top) * height, viewport()->width(), height);
        bool selected = FOwner.Selected(i);
        painter.fillRect(row, selected ? pal.brush(QPalette::Highlight) : pal.brush(QPalette::Base));
        painter.setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        painter.drawText(row.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         QString::fromStdString(FOwner.ItemText(i)));
        if (FOwner.MultiSelect() && i == FOwner.ItemIndex() && hasFocus()) {
            painter.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
            painter.drawRect(row.adjusted(0, 0, -1, -1));
        }
    }
}

void ListBoxView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void ListBoxView::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button = event->button() == Qt::RightButton ? mbRight
                          : event->button() == Qt::MiddleButton ? mbMiddle
                                                                : mbLeft;
    QPoint p = event->position().toPoint();
    TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    RunReportingErrors([&] { FOwner.UserPress(button, shift, p.x(), p.y(), false); });
}

void ListBoxView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return mousePressEvent(event);
    QPoint p = event->position().toPoint();
    TShiftState shift(ShiftStateOf(event->modifiers(), event->buttons()).Bits() | ssDouble);
    RunReportingErrors([&] { FOwner.UserPress(mbLeft, shift, p.x(), p.y(), true); });
}

void ListBoxView::mouseReleaseEvent(QMouseEvent* event)
{
    QPoint p = event->position().toPoint();
    RunReportingErrors([&] { FOwner.UserRelease(p.x(), p.y()); });
}

void ListBoxView::mouseMoveEvent(QMouseEvent* event)
{
    QPoint p = event->position().toPoint();
    TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    RunReportingErrors([&] { FOwner.UserMove(shift, p.x(), p.y()); });
}

void ListBoxView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space: {
        TShiftState shift = ShiftStateOf(event->modifiers(), 0);
        RunReportingErrors([&] { FOwner.UserKey(event->key(), shift); });
        return;
    }
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ListBoxView::contextMenuEvent(QContextMenuEvent* event)
{
    RunReportingErrors([&] { FOwner.WidgetEvent(event); });
}

void ListBoxView::scrollContentsBy(int, int)
{
    viewport()->update();
}
