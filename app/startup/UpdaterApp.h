// The application object: starts the one main window and ends with it.
#pragma once

#include <windows.h>

class CUpdaterApp {
public:
    // Initialises the common controls and runs the main window modally.
    // Returns FALSE, so the process ends when the main window closes.
    BOOL InitInstance();
    // Registry key under which the application would keep its settings
    // (set for completeness; the program keeps its settings in its own file).
    const wchar_t* m_registryKey = nullptr;
};

extern CUpdaterApp theApp;
