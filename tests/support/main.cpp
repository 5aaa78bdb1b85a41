// Test main: GoogleTest with a watchdog, so that no test run can hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ConfigurationIsolation.h"
#include "framework/Sync.h"

namespace {

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
    // TORVIK_TEST_WATCHDOG, a number of seconds, replaces the bound when it
    // is above zero (0 or a word as the bound would end the run at once).
    DWORD seconds = 240;
    const char* env = std::getenv("TORVIK_TEST_WATCHDOG");
    if (env && std::atoi(env) > 0) seconds = static_cast<DWORD>(std::atoi(env));
    StartDetachedThread([seconds] { Watchdog(seconds); }, L"the test watchdog");
    IsolateConfigurationFile();
    return RUN_ALL_TESTS();
}
