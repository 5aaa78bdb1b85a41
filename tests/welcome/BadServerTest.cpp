// The real program against a server that misbehaves at its start-up check: the
// window answers messages throughout, the check ends within the deadline as a
// silent failure, and the program then closes normally.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "app/HttpDownload.h"
#include "fixtures/server/TestServer.h"
#include "support/ProgramRunner.h"

namespace {

const wchar_t kCaption[] = L"TORVIK Bluetooth Device Manager";
// Start-up, the check's 200 ms of timers and a busy machine, on top of the deadline.
constexpr DWORD kSlack = 15000;
// How long one probe may wait for an answer. A window frozen until the
// deadline misses several probes in a row; a loaded machine may hold up one
// answer of a live window, never two in a row.
constexpr UINT kProbeMs = 8000;

// The welcome page is up, and the check under way, once the status line holds
// its ready text; a close asked before that would not meet the check.
bool WaitForWelcomePage(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    HWND status = ::GetDlgItem(window, 1016);
    while (::GetTickCount() - start < timeoutMs) {
        wchar_t text[64] = {};
        ::GetWindowTextW(status, text, 64);
        if (text[0]) return true;
        ::Sleep(20);
    }
    return false;
}

DWORD MillisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<DWORD>((now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
}

TEST(BadServer, WindowAnswersAndTheProgramClosesAfterTheDeadline)
{
    REQUIRE_TEST_SERVER();
    struct Case {
        const char* name;
        const wchar_t* options;  // what the server does with the version file
        bool runsToTheDeadline;
    };
    const Case cases[] = {
        {"no answer", L"stall=before", true},
        {"headers, then nothing", L"stall=after&size=100", true},
        {"a byte every 5 seconds", L"drip=5&size=100", true},
        {"redirect to itself", L"loop=1", false},
        {"60 MB body", L"size=62914560", false},
        {"60 MB body without a length", L"size=62914560&nolength=1", false},
    };
    const size_t count = std::size(cases);

    // All programs at once, each with its own misbehaving server address.
    std::vector<std::unique_ptr<ProgramRunner>> programs;
    for (const Case& c : cases) {
        CString server = testserver::HttpBase() + L"/with/" + c.options;
        std::map<CString, CString> env{{L"TORVIK_SERVER", server}};
        programs.push_back(std::make_unique<ProgramRunner>(L"badserver", env));
        ASSERT_TRUE(programs.back()->Started()) << c.name;
    }
    std::vector<HWND> windows;
    std::vector<DWORD> shownAt;
    for (size_t i = 0; i < count; ++i) {
        windows.push_back(programs[i]->WaitForWindow(kCaption, 30000));
        ASSERT_NE(windows.back(), nullptr) << cases[i].name << ": no main window";
        ASSERT_TRUE(WaitForWelcomePage(windows.back(), 30000)) << cases[i].name << ": no welcome page";
        shownAt.push_back(::GetTickCount());
    }

    // Probe every window and ask it to close until it ends; a close is refused
    // while the check runs.
    const DWORD start = ::GetTickCount();
    std::vector<int> exitCodes(count, -1);
    // From the welcome page as the test saw it (late for some, as they started
    // together), and from the program's start.
    std::vector<DWORD> endedAfter(count, 0), ranFor(count, 0);
    std::vector<int> missedInARow(count, 0), mostMissedInARow(count, 0);
    size_t running = count;
    while (running > 0 && ::GetTickCount() - start < kHttpDownloadDeadlineMs + kSlack) {
        for (size_t i = 0; i < count; ++i) {
            if (exitCodes[i] != -1) continue;
            DWORD_PTR reply = 0;
            bool answered = ::SendMessageTimeoutW(windows[i], WM_NULL, 0, 0, SMTO_NORMAL, kProbeMs, &reply) != 0;
            int code = programs[i]->WaitForExit(0);
            if (code != -1) {
                exitCodes[i] = code;
                endedAfter[i] = ::GetTickCount() - shownAt[i];
                ranFor[i] = MillisecondsSince(programs[i]->StartCounter());
                --running;
                continue;
            }
            missedInARow[i] = answered ? 0 : missedInARow[i] + 1;
            mostMissedInARow[i] = std::max(mostMissedInARow[i], missedInARow[i]);
            ::PostMessageW(windows[i], WM_CLOSE, 0, 0);
        }
        ::Sleep(200);
    }

    for (size_t i = 0; i < count; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        EXPECT_LT(mostMissedInARow[i], 2) << "the window stopped answering";
        EXPECT_EQ(exitCodes[i], 0) << "the program did not close";
        EXPECT_LT(endedAfter[i], kHttpDownloadDeadlineMs + kSlack);
        // The misbehaviour was met: the close waited for the check.
        if (c.runsToTheDeadline) {
            EXPECT_GT(ranFor[i], kHttpDownloadDeadlineMs / 2);
        }
    }
}

}  // namespace
