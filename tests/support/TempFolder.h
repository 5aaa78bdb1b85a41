// A fresh folder under the temporary folder, removed with its content afterwards,
// and the unique names such folders and files take.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "framework/CString.h"

// A path under the temporary folder that no other test process has named, in
// this run or an earlier one: process ids repeat with every new wine server, so
// the name holds the system time too, and a count within the process.
inline CString UniqueTempPath(const wchar_t* tag)
{
    static std::atomic<unsigned long> count{0};
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const unsigned long long time = static_cast<unsigned long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    return CString::Formatted(L"%s%s_%lu_%llx_%lu", base, tag, ::GetCurrentProcessId(), time, ++count);
}

class TempFolder {
public:
    explicit TempFolder(const wchar_t* tag = L"torvik") : m_path(UniqueTempPath(tag))
    {
        ::CreateDirectoryW(m_path, nullptr);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_path.str()), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString operator/(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};
