// Test main: GoogleTest with a watchdog, so that no test run can hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ConfigurationIsolation.h"
#include "framework/Sync.h"

namespace {

// The watchdog's bound: TORVIK_TEST_WATCHDOG when its whole text is a number
// of seconds from 1 to a day, else 240 seconds ("5s", 0 or a number whose
// milliseconds overflow a DWORD would end the run at a bound nobody asked for).
DWORD WatchdogSeconds(const char* text)
{
    constexpr DWORD kBound = 240;
    if (!text) return kBound;
    const char* end = text + std::strlen(text);
    unsigned long seconds = 0;
    const auto [stop, error] = std::from_chars(text, end, seconds);
    return error == std::errc() && stop == end && seconds >= 1 && seconds <= 86400 ? seconds : kBound;
}

void Watchdog(DWORD seconds)
{
    Sleep(seconds * 1000);
    std::fprintf(stderr, "watchdog: test run exceeded %lu seconds\n", static_cast<unsigned long>(seconds));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const DWORD seconds = WatchdogSeconds(std::getenv("TORVIK_TEST_WATCHDOG"));
    StartDetachedThread([seconds] { Watchdog(seconds); }, L"the test watchdog");
    IsolateConfigurationFile();
    return RUN_ALL_TESTS();
}
