// Runs the real program in a folder of its own and finds its main window.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "framework/CString.h"

class ProgramRunner {
public:
    // Copies the program (or another program of the build, by its Unix path)
    // into a fresh folder (the program keeps its files in "IMG" beside itself)
    // and starts it with extra environment variables. The folder goes with the
    // runner, once the program has ended, unless the current test has failed:
    // then it is kept, and its place is printed. Should the program crash, the
    // test ends at once, with the exception's code in its output.
    explicit ProgramRunner(const wchar_t* folderTag, const std::map<CString, CString>& env = {},
                           const char* programPath = nullptr);
    ~ProgramRunner();
    bool Started() const { return m_process != nullptr; }
    // Waits (bounded) for a top-level window of the process with this caption.
    HWND WaitForWindow(const wchar_t* caption, DWORD timeoutMs);
    // The first visible top-level window of the process that matches; null
    // when there is none.
    HWND FindProcessWindow(const std::function<bool(HWND)>& match) const;
    // Waits for the process to end; returns its exit code, or -1 on time-out.
    int WaitForExit(DWORD timeoutMs);
    // Closes the window and waits for the process to end. The program refuses
    // a close while it is busy (its update check runs at start), so the close
    // is asked again until it is taken. Returns the exit code, -1 on time-out.
    int CloseAndWait(HWND window, DWORD timeoutMs);
    // Chooses an item of the main window's popup menu that opens a modal
    // dialog, and tells whether the program took it. The menu opens only while
    // the program is not busy and no box is over it, when its close button can
    // be pressed: the item is chosen only then. A command that opens a modal
    // dialog does not return within the grace time; one refused as the
    // program became busy returns at once, and is chosen again.
    bool ChooseMenuItemUntilTaken(HWND window, UINT item, DWORD timeoutMs);
    const CString& Folder() const { return m_folder; }
    DWORD ProcessId() const { return m_pid; }
    // The performance counter just before the process was created.
    LARGE_INTEGER StartCounter() const { return m_startCounter; }

private:
    void RemoveFolder();

    CString m_folder;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    LARGE_INTEGER m_startCounter{};
};

// Whether a rider can press the control now: it is shown and enabled, and so
// is every window it lies in (a box disables the window it is over).
bool CanPress(HWND control);

// The Windows form of a Unix path of the build (Wine maps / to Z:).
CString WindowsPathOf(const char* unixPath);
