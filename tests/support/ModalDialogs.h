#pragma once
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

// Answers the next modal dialog from inside its own event loop: waits until the dialog is the active
// window, so that its activation handler has run, then hands it to answer, which must close it. A
// dialog that never becomes active fails the test and is closed, so that the test cannot hang.
inline void AnswerNextModal(std::function<void(QWidget* dialog)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        const QDeadlineTimer deadline(10000);
        QWidget* dialog = QApplication::activeModalWidget();
        while (!(dialog && QApplication::activeWindow() == dialog) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            dialog = QApplication::activeModalWidget();
        }
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog opened";
            return;
        }
        if (QApplication::activeWindow() != dialog) {
            ADD_FAILURE() << "the modal dialog never became the active window";
            dialog->close();
            return;
        }
        answer(dialog);
    });
}

// Closes a modal dialog that opens where none should, and records that one did: schedule it before
// the call that must not open one, and process events after it. The watch ends with context.
inline std::shared_ptr<bool> WatchForUnexpectedModal(QObject* context)
{
    auto opened = std::make_shared<bool>(false);
    QTimer::singleShot(0, context, [opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            *opened = true;
            dialog->close();
        }
    });
    return opened;
}
