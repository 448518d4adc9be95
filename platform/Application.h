#pragma once
#include <memory>
#include <string>

#include "platform/Component.h"

class QApplication;
class TForm;

// The application object: owns the forms, runs the message loop and shows, in a message box, every
// failure that leaves an event handler; the program then goes on.
class TApplication : public TComponent {
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first one created is the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!FMainForm)
            FMainForm = reference;
    }
    // Shows the main form and runs the message loop until it closes.
    void Run();
    void Terminate();
    TForm* MainForm() const { return FMainForm; }

private:
    std::unique_ptr<QApplication> FQApplication;
    TForm* FMainForm = nullptr;
};

extern TApplication* Application;
