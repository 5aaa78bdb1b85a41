// What the program tells a debugger: the exceptions that the boundaries of the
// system's callbacks and of worker threads stop, and failures that the user is
// not told of.
#pragma once

#include <functional>

// Call inside a catch block: writes "exception stopped in <where>: <what>" to
// the debugger output (OutputDebugStringW), then the handler goes on.
void ReportCaughtException(const wchar_t* where);

// Writes text (ending in a line break) to the debugger output.
void WriteDebugOutput(const wchar_t* text);

// Tests see the debugger output through a hook; null restores the system's.
using DebugOutputHook = std::function<void(const wchar_t* text)>;
void SetDebugOutputHook(DebugOutputHook hook);
