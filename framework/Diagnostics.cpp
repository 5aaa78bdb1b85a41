#include "framework/Diagnostics.h"

#include <exception>
#include <string>

#include <windows.h>

namespace {

DebugOutputHook& Hook()
{
    static DebugOutputHook hook;
    return hook;
}

}  // namespace

void SetDebugOutputHook(DebugOutputHook hook) { Hook() = std::move(hook); }

void ReportCaughtException(const wchar_t* where)
{
    std::wstring text = L"TORVIK: exception stopped in ";
    text += where;
    try {
        throw;
    } catch (const std::exception& e) {
        text += L": ";
        for (const char* c = e.what(); *c; ++c) text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    } catch (...) {
        text += L": not a standard exception";
    }
    text += L"\n";
    WriteDebugOutput(text.c_str());
}

void WriteDebugOutput(const wchar_t* text)
{
    if (Hook()) Hook()(text);
    else ::OutputDebugStringW(text);
}
