// Test main: GoogleTest with a watchdog, so that no test run can hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ConfigurationIsolation.h"

namespace {

DWORD WINAPI Watchdog(void* param)
{
    DWORD seconds = static_cast<DWORD>(reinterpret_cast<uintptr_t>(param));
    Sleep(seconds * 1000);
    std::fprintf(stderr, "watchdog: test run exceeded %lu seconds\n", static_cast<unsigned long>(seconds));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    DWORD seconds = 240;
    if (const char* env = std::getenv("TORVIK_TEST_WATCHDOG")) seconds = static_cast<DWORD>(std::atoi(env));
    CloseHandle(CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(static_cast<uintptr_t>(seconds)), 0, nullptr));
    IsolateConfigurationFile();
    return RUN_ALL_TESTS();
}
