#include <windows.h>
int RunApplication(HINSTANCE) { return 0; }
