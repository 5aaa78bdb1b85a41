// A fresh folder under the temporary folder, removed with its content afterwards.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "framework/CString.h"

class TempFolder {
public:
    explicit TempFolder(const wchar_t* tag = L"torvik")
    {
        static std::atomic<unsigned long> count{0};
        wchar_t base[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, base);
        m_path = CString::Formatted(L"%s%s_%lu_%lu", base, tag, ::GetCurrentProcessId(), ++count);
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
