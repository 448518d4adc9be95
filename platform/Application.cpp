#include "platform/Application.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/ErrorReport.h"
#include "platform/Form.h"

TApplication* Application = nullptr;

namespace {

// The last line of defence: a failure that got past the handlers still reaches the error report.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        bool result = false;
        RunReportingErrors([&] { result = QApplication::notify(receiver, event); });
        return result;
    }
};

void ShowErrorBox(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), QString::fromStdString(message),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

TApplication::TApplication(int& argc, char** argv)
    : TComponent(nullptr), FQApplication(std::make_unique<GuardedApplication>(argc, argv))
{
    Application = this;
    QApplication::setApplicationName("Picsift");
}

TApplication::~TApplication()
{
    // The forms' widgets must go before the QApplication does.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    SetErrorReporter(nullptr);
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    SetErrorReporter(ShowErrorBox);
}

void TApplication::Run()
{
    if (FMainForm)
        FMainForm->Show();
    QApplication::exec();
}

void TApplication::Terminate()
{
    QApplication::quit();
}
