#include "app/Picsifter.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
    return 0;
}
