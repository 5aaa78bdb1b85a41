#include "framework/Time.h"

#include <atomic>
#include <ctime>
#include <cwchar>

namespace {
std::atomic<int64_t> g_fixedNow{0};
}

void SetCurrentTimeHook(int64_t seconds) { g_fixedNow = seconds; }

CTime CTime::GetCurrentTime()
{
    int64_t fixed = g_fixedNow.load();
    return CTime(fixed ? fixed : static_cast<int64_t>(std::time(nullptr)));
}

CString CTime::Format(const wchar_t* format) const
{
    __time64_t t = m_time;
    struct tm local{};
    if (_localtime64_s(&local, &t) != 0) return CString();
    wchar_t buf[256] = {};
    size_t n = wcsftime(buf, 256, format, &local);
    return CString(buf, static_cast<int>(n));
}
