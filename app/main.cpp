// Program entry: runs the application object.
#include <windows.h>

int RunApplication(HINSTANCE instance);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return RunApplication(instance);
}
