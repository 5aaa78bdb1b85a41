// Reading and driving the real program's main window from a whole-program
// test: the texts of its controls, the page whose tab is pressed, whether it
// takes commands, its message box, and bounded waits.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "support/ProgramRunner.h"

constexpr int kNext = 1018;
constexpr int kAction = 1019;
constexpr int kTabRecognition = 1008;
constexpr int kStatusText = 1016;
constexpr int kBoxText = 1026;
constexpr int kTabs[] = {1007, 1008, 1009, 1010, 1011};

inline CString ItemText(HWND window, int id)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(window, id, text, 1024);
    return CString(text);
}

// The page whose tab is pressed, 1 to 5 (5 for the settings pages); 0 when none.
inline int PressedTab(HWND main)
{
    for (int i = 0; i < 5; ++i) {
        if (::SendMessageW(::GetDlgItem(main, kTabs[i]), BM_GETSTATE, 0, 0) & BST_PUSHED) return i + 1;
    }
    return 0;
}

// The frame takes commands (it refuses them while busy).
inline bool Idle(HWND main) { return ::IsWindowEnabled(::GetDlgItem(main, kNext)) != FALSE; }

// The program's message box (the one window that holds the box's text).
inline HWND Box(const ProgramRunner& program, HWND main)
{
    return program.FindProcessWindow(
        [main](HWND hwnd) { return hwnd != main && ::GetDlgItem(hwnd, kBoxText) != nullptr; });
}

template <typename Done>
bool WaitFor(Done done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (done()) return true;
        ::Sleep(50);
    }
    return done();
}
