#include "framework/Clock.h"

#include <windows.h>

#include <atomic>
#include <mutex>

namespace {
std::atomic<double> g_scale{1.0};
std::atomic<uint64_t> g_skipped{0};  // milliseconds skipped by the sleep hook
std::mutex g_hookMutex;
std::function<void(unsigned)> g_hook;
}  // namespace

namespace Clock {

void Sleep(unsigned milliseconds)
{
    std::function<void(unsigned)> hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_hook;
    }
    if (hook) {
        g_skipped += milliseconds;
        hook(milliseconds);
        return;
    }
    double scaled = milliseconds * g_scale.load();
    ::Sleep(static_cast<DWORD>(scaled < 1.0 && milliseconds > 0 ? 1.0 : scaled));
}

uint64_t Now()
{
    double scale = g_scale.load();
    uint64_t real = GetTickCount64();
    return static_cast<uint64_t>(scale > 0 ? real / scale : real) + g_skipped.load();
}

void SetScale(double scale) { g_scale = scale > 0 ? scale : 1.0; }
double Scale() { return g_scale.load(); }

void SetSleepHook(std::function<void(unsigned)> hook)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

}  // namespace Clock
