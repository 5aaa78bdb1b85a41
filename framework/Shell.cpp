#include "framework/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <mutex>

namespace {
std::mutex g_hookMutex;
ShellOpenHook g_hook;
}  // namespace

void SetShellOpenHook(ShellOpenHook hook)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

INT_PTR ShellOpen(const wchar_t* verb, const wchar_t* target, const wchar_t* parameters, int show)
{
    ShellOpenHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_hook;
    }
    if (hook) return hook(CString(verb), CString(target));
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, verb, target, parameters, nullptr, show));
}
