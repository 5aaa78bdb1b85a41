// Opening documents and links with the shell, and starting programs, through
// a seam that tests can replace and record.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/CString.h"

// Opens target with verb (e.g. "open") as ShellExecuteW would; returns its
// result (greater than 32 on success).
INT_PTR ShellOpen(const wchar_t* verb, const wchar_t* target, const wchar_t* parameters = nullptr, int show = 1);

// Test hook: replaces ShellExecuteW; receives verb and target, returns the
// result to report.
using ShellOpenHook = std::function<INT_PTR(const CString& verb, const CString& target)>;
void SetShellOpenHook(ShellOpenHook hook);
