// Program entry: the application object, its title, the main window and the message loop.
#include <windows.h>

#include "app/main_form.h"
#include "toolkit/application.h"
#include "toolkit/library_policy.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    KeepLibrariesToTheSystemFolder();
    TApplication application;
    application.Initialize();
    application.SetTitle(L"Velkari");
    application.CreateForm<TForm1>();
    application.Run();
    return 0;
}
