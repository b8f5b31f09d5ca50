// The program's entry point: the application object does the whole run.
#include <windows.h>

#include "app/win/CQ3MouseApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CQ3MouseApp app;
    app.InitInstance();
    return app.ExitInstance();
}
