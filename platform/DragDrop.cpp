#include "platform/DragDrop.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/Control.h"
#include "platform/ErrorReport.h"

namespace {

class DragSession : public QObject {
public:
    DragSession(TControl* source, bool immediate) : FSource(source), FStart(QCursor::pos())
    {
        qApp->installEventFilter(this);
        if (immediate)
            Start(FStart);
    }

    ~DragSession() override
    {
        qApp->removeEventFilter(this);
        if (FStarted)
            QApplication::restoreOverrideCursor();
    }

    bool Involves(TControl* control) const { return control == FSource || control == FTarget; }
    bool Started() const { return FStarted; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            QPoint global = e->globalPosition().toPoint();
            if (!FStarted && (global - FStart).manhattanLength() >= QApplication::startDragDistance() &&
                (e->buttons() & Qt::LeftButton))
                Start(global);
            if (FStarted)
                MoveTo(global);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (!FStarted) {
                End();  // a press and release without moving is a click
                return false;
            }
            Drop(e->globalPosition().toPoint());
            return true;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                End();
                return true;
            }
            return false;
        case QEvent::ApplicationDeactivate:
            End();
            return false;
        default:
            return false;
        }
    }

private:
    void Start(QPoint global)
    {
        FStarted = true;
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        MoveTo(global);
    }

    TControl* ControlAt(QPoint global) const
    {
        QWidget* widget = QApplication::widgetAt(global);
        return widget ? TControl::FromWidget(widget) : nullptr;
    }

    void MoveTo(QPoint global)
    {
        TControl* target = ControlAt(global);
        if (target != FTarget) {
            if (FTarget)
                AskTarget(global, dsDragLeave);
            FTarget = target;
            if (FTarget)
                AskTarget(global, dsDragEnter);
        } else if (FTarget) {
            AskTarget(global, dsDragMove);
        }
        if (!FTarget)
            FAccepted = false;
        Qt::CursorShape shape = !FAccepted ? Qt::ForbiddenCursor
                                : FSource->DragCursor() == crDragCopy ? Qt::DragCopyCursor
                                                                      : Qt::DragMoveCursor;
        QApplication::changeOverrideCursor(QCursor(shape));
    }

    void AskTarget(QPoint global, TDragState state)
    {
        QPoint local = FTarget->Widget()->mapFromGlobal(global);
        bool accept = false;
        RunReportingErrors([&] { FTarget->DragOver(FSource, local.x(), local.y(), state, accept); });
        FAccepted = accept;
    }

    void Drop(QPoint global)
    {
        MoveTo(global);
        TControl* target = FAccepted ? FTarget : nullptr;
        TControl* source = FSource;
        End();  // the drop may open windows and message boxes: the drag is over by then
        if (target) {
            QPoint local = target->Widget()->mapFromGlobal(global);
            RunReportingErrors([&] { target->DragDrop(source, local.x(), local.y()); });
        }
    }

    void End();

    TControl* FSource;
    TControl* FTarget = nullptr;
    QPoint FStart;
    bool FStarted = false;
    bool FAccepted = false;
};

DragSession*& Current()
{
    static DragSession* session = nullptr;
    return session;
}

void DragSession::End()
{
    qApp->removeEventFilter(this);
    if (FStarted) {
        QApplication::restoreOverrideCursor();
        FStarted = false;
    }
    if (Current() == this) {
        Current() = nullptr;
        deleteLater();
    }
}

}  // namespace

void BeginDragFrom(TControl* source, bool immediate)
{
    if (Current())
        return;
    Current() = new DragSession(source, immediate);
}

void CancelDragOf(TControl* control)
{
    if (Current() && Current()->Involves(control)) {
        delete Current();
        Current() = nullptr;
    }
}

bool Dragging()
{
    return Current() && Current()->Started();
}
