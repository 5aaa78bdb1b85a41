#include "framework/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Mark {
    const wchar_t* phase;
    LONGLONG counter;
};

constexpr int kMaxMarks = 32;
Mark g_marks[kMaxMarks];
int g_markCount = 0;

bool TraceOn()
{
    static const bool on = ::GetEnvironmentVariableW(L"TORVIK_STARTUP_TRACE", nullptr, 0) > 0;
    return on;
}

}  // namespace

void MarkStartup(const wchar_t* phase)
{
    if (!TraceOn() || g_markCount == kMaxMarks) return;
    for (int i = 0; i < g_markCount; ++i) {
        if (g_marks[i].phase == phase || std::wcscmp(g_marks[i].phase, phase) == 0) return;
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    g_marks[g_markCount++] = {phase, now.QuadPart};
}

void WriteStartupTrace()
{
    if (!TraceOn()) return;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TORVIK_STARTUP_TRACE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::string text;
    for (int i = 0; i < g_markCount; ++i) {
        char line[256];
        std::snprintf(line, sizeof line, "%ls\t%lld\n", g_marks[i].phase, g_marks[i].counter);
        text += line;
    }
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}
