// Program entry: runs the application object.
#include <windows.h>

#include "framework/StartupTrace.h"

int RunApplication(HINSTANCE instance);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    MarkStartup(L"WinMain");
    return RunApplication(instance);
}
