// Test main: GoogleTest with a watchdog, so that no test run can hang, and a
// crash report, so that a crash fails the test at once.
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

// Every program a test starts ends with the test, however the test ends (at
// its end, by its watchdog, by CTest's time-out): the test's process joins a
// job that ends its processes when its last handle, the test's own, closes.
// The desktop's window is asked for first, so that the helper that Wine starts
// for a desktop without one (explorer.exe, which every program on the desktop
// needs) is started outside the job; the test then keeps that helper running
// until it ends, so no program of the job starts another.
void EndStartedProgramsWithTheTest()
{
    ::GetDesktopWindow();
    const HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job || !::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !::AssignProcessToJobObject(job, ::GetCurrentProcess())) {
        std::fprintf(stderr, "the test's programs would outlive it: no job (error %lu)\n", ::GetLastError());
        std::exit(4);
    }
}

// A crash ends the test at once, saying what and where: the exception's code
// (c0000005 for an access violation) and address, written straight to the
// error output without the C library, whose locks or buffers the crashed
// thread may hold. Left to Wine, a crash would start its debugger, which
// freezes the process until CTest's time-out.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    char text[128] = "crash: exception ";
    size_t length = std::strlen(text);
    auto hex = [&](unsigned long long value, int digits) {
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text[length++] = "0123456789abcdef"[(value >> shift) & 15];
    };
    auto append = [&](const char* part) {
        while (*part) text[length++] = *part++;
    };
    hex(record.ExceptionCode, 8);
    append(" at address ");
    hex(reinterpret_cast<ULONG_PTR>(record.ExceptionAddress), 16);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        append(record.ExceptionInformation[0] == 1 ? ", writing " : ", reading ");
        hex(record.ExceptionInformation[1], 16);
    }
    append("; the test ends here\n");
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
    ::TerminateProcess(::GetCurrentProcess(), record.ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    ::SetUnhandledExceptionFilter(&ReportCrash);
    testing::InitGoogleTest(&argc, argv);
    EndStartedProgramsWithTheTest();
    const DWORD seconds = WatchdogSeconds(std::getenv("TORVIK_TEST_WATCHDOG"));
    StartDetachedThread([seconds] { Watchdog(seconds); }, L"the test watchdog");
    IsolateConfigurationFile();
    return RUN_ALL_TESTS();
}
