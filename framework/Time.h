// CTime: a moment as seconds since 1970 (UTC), shown in local time.
#pragma once

#include <cstdint>

#include "framework/CString.h"

#include <windows.h>
#undef GetCurrentTime  // a winbase.h macro for GetTickCount

class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_time(seconds) {}
    static CTime GetCurrentTime();
    int64_t GetTime() const { return m_time; }
    // strftime-style format in local time ("%Y%m%d%H%M%S" ...).
    CString Format(const wchar_t* format) const;
    bool operator==(const CTime& o) const { return m_time == o.m_time; }

private:
    int64_t m_time = 0;
};

// Test hook: a fixed "now" for CTime::GetCurrentTime (0 = the real clock).
void SetCurrentTimeHook(int64_t seconds);
